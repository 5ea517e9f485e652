#include "ui/ComboBox.h"

namespace vel {

void ComboBox::addItem(const QString& text, long long data) {
    items_.push_back({text, data});
    notifyChanged();
}

void ComboBox::clear() {
    items_.clear();
    listIndex_ = -1;
    typedText_.clear();
    notifyChanged();
}

int ComboBox::findText(const QString& text) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].text == text) {
            return int(i);
        }
    }
    return -1;
}

int ComboBox::findData(long long data) const {
    for (size_t i = 0; i < items_.size(); ++i) {
        if (items_[i].data == data) {
            return int(i);
        }
    }
    return -1;
}

void ComboBox::setListIndex(int index) {
    if (index < -1 || index >= listCount()) {
        index = -1;
    }
    if (index == listIndex_) {
        return;
    }
    listIndex_ = index;
    typedText_.clear();
    notifyChanged();
    raiseClick();
}

QString ComboBox::text() const {
    return listIndex_ >= 0 ? items_[size_t(listIndex_)].text : typedText_;
}

void ComboBox::setText(const QString& text) {
    const int index = findText(text);
    if (index >= 0 || !typing_) {
        setListIndex(index);
        return;
    }
    listIndex_ = -1;
    if (typedText_ != text) {
        typedText_ = text;
        notifyChanged();
        raiseChange();
    }
}

bool ComboBox::userSetValue(const QString& value) {
    if (!editable() || (!typing_ && findText(value) < 0)) {
        return false;
    }
    setText(value);
    return true;
}

bool ComboBox::userSelect(int index) {
    if (!editable() || index < 0 || index >= listCount()) {
        return false;
    }
    setListIndex(index);
    return true;
}

}  // namespace vel
