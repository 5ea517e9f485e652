#include "ui/OrderedSelect.h"

#include <QStringList>
#include <algorithm>

namespace vel {

void OrderedSelect::addAvailable(const QString& text, long long data) {
    available_.push_back({text, data});
    notifyChanged();
}

void OrderedSelect::clear() {
    available_.clear();
    chosen_.clear();
    notifyChanged();
}

std::vector<long long> OrderedSelect::chosenData() const {
    std::vector<long long> data;
    for (int index : chosen_) {
        data.push_back(available_[size_t(index)].data);
    }
    return data;
}

int OrderedSelect::findAvailable(const QString& text) const {
    for (size_t i = 0; i < available_.size(); ++i) {
        if (available_[i].text == text) {
            return int(i);
        }
    }
    return -1;
}

OrderedSelect& OrderedSelect::beforeAdd(std::function<bool(int)> check) {
    beforeAdd_ = std::move(check);
    return *this;
}

void OrderedSelect::setChosen(std::vector<int> chosen) {
    std::erase_if(chosen, [this](int index) { return index < 0 || index >= int(available_.size()); });
    if (chosen == chosen_) {
        return;
    }
    chosen_ = std::move(chosen);
    notifyChanged();
    raiseChange();
}

bool OrderedSelect::add(int availableIndex) {
    const bool known = availableIndex >= 0 && availableIndex < int(available_.size());
    if (!known || std::ranges::find(chosen_, availableIndex) != chosen_.end() ||
        (limit_ > 0 && int(chosen_.size()) >= limit_) ||
        (beforeAdd_ && !beforeAdd_(availableIndex))) {
        return false;
    }
    chosen_.push_back(availableIndex);
    notifyChanged();
    raiseChange();
    return true;
}

bool OrderedSelect::remove(int position) {
    if (position < 0 || position >= int(chosen_.size())) {
        return false;
    }
    chosen_.erase(chosen_.begin() + position);
    notifyChanged();
    raiseChange();
    return true;
}

bool OrderedSelect::move(int position, int offset) {
    const int target = position + offset;
    if (position < 0 || position >= int(chosen_.size()) || target < 0 ||
        target >= int(chosen_.size())) {
        return false;
    }
    std::swap(chosen_[size_t(position)], chosen_[size_t(target)]);
    notifyChanged();
    raiseChange();
    return true;
}

QString OrderedSelect::valueText() const {
    QStringList texts;
    for (int index : chosen_) {
        texts << available_[size_t(index)].text;
    }
    return texts.join(QStringLiteral("; "));
}

bool OrderedSelect::userSetValue(const QString& value) {
    for (const QString& part : value.split(u';', Qt::SkipEmptyParts)) {
        if (!userAdd(findAvailable(part.trimmed()))) {
            return false;
        }
    }
    return true;
}

}  // namespace vel
