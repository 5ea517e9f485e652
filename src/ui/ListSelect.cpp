#include "ui/ListSelect.h"

#include <QStringList>
#include <algorithm>

namespace vel {

void ListSelect::addItem(const QString& text, long long data, bool selected) {
    items_.push_back({text, data, selected});
    notifyChanged();
}

void ListSelect::clear() {
    items_.clear();
    notifyChanged();
}

int ListSelect::find(const QString& text) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].text == text) {
            return int(i);
        }
    }
    return -1;
}

void ListSelect::setSelected(int index, bool selected) {
    Item& entry = items_.at(size_t(index));
    if (entry.selected == selected) {
        return;
    }
    entry.selected = selected;
    notifyChanged();
    raiseChange();
}

std::vector<long long> ListSelect::selectedData() const {
    std::vector<long long> data;
    for (const Item& entry : items_) {
        if (entry.selected) {
            data.push_back(entry.data);
        }
    }
    return data;
}

bool ListSelect::userSetSelected(int index, bool selected) {
    if (!editable() || index < 0 || index >= count()) {
        return false;
    }
    setSelected(index, selected);
    return true;
}

QString ListSelect::valueText() const {
    QStringList texts;
    for (const Item& entry : items_) {
        if (entry.selected) {
            texts << entry.text;
        }
    }
    return texts.join(QStringLiteral("; "));
}

bool ListSelect::userSetValue(const QString& value) {
    std::vector<int> wanted;
    for (const QString& part : value.split(u';', Qt::SkipEmptyParts)) {
        const int index = find(part.trimmed());
        if (index < 0) {
            return false;
        }
        wanted.push_back(index);
    }
    if (!editable()) {
        return false;
    }
    for (int i = 0; i < count(); ++i) {
        setSelected(i, std::find(wanted.begin(), wanted.end(), i) != wanted.end());
    }
    return true;
}

}  // namespace vel
