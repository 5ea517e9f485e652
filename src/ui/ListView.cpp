#include "ui/ListView.h"

namespace vel {

ListView& ListView::column(const QString& heading, int width, bool rightAligned) {
    columns_.push_back({heading, width, rightAligned});
    notifyChanged();
    return *this;
}

ListView& ListView::doubleClicked(std::function<void(int)> handler) {
    doubleClicked_ = std::move(handler);
    return *this;
}

int ListView::addItem(const QStringList& texts, long long data) {
    items_.push_back({texts, data, false});
    notifyChanged();
    return count() - 1;
}

void ListView::setItem(int line, const QStringList& texts) {
    items_.at(size_t(line)).texts = texts;
    notifyChanged();
}

void ListView::removeItem(int line) {
    items_.erase(items_.begin() + line);
    notifyChanged();
}

void ListView::clear() {
    items_.clear();
    notifyChanged();
}

int ListView::findData(long long data) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].data == data) {
            return int(i);
        }
    }
    return -1;
}

int ListView::findText(const QString& firstColumn) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (!items_[i].texts.isEmpty() && items_[i].texts.front() == firstColumn) {
            return int(i);
        }
    }
    return -1;
}

void ListView::select(int line, bool selected) {
    Item& target = items_.at(size_t(line));
    if (selected && !multiSelect_) {
        for (Item& other : items_) {
            other.selected = false;
        }
    }
    target.selected = selected;
    notifyChanged();
}

int ListView::selectedLine() const {
    const std::vector<int> lines = selectedLines();
    return lines.empty() ? -1 : lines.front();
}

std::vector<int> ListView::selectedLines() const {
    std::vector<int> lines;
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].selected) {
            lines.push_back(int(i));
        }
    }
    return lines;
}

bool ListView::userSelect(int line, bool addToSelection) {
    if (!reachable() || line < 0 || line >= count()) {
        return false;
    }
    if (!addToSelection || !multiSelect_) {
        for (Item& other : items_) {
            other.selected = false;
        }
    }
    select(line, true);
    raiseClick();
    return true;
}

bool ListView::userDoubleClick(int line) {
    if (!userSelect(line)) {
        return false;
    }
    if (doubleClicked_) {
        doubleClicked_(line);
    }
    return true;
}

QString ListView::valueText() const {
    QStringList texts;
    for (int line : selectedLines()) {
        texts << items_[size_t(line)].texts.value(0);
    }
    return texts.join(QStringLiteral("; "));
}

bool ListView::userSetValue(const QString& value) {
    return userSelect(findText(value));
}

}  // namespace vel
