#include "ui/CheckBox.h"

namespace vel {

void CheckBox::setValue(int value) {
    if (value == value_) {
        return;
    }
    value_ = value;
    notifyChanged();
    raiseClick();
}

bool CheckBox::userClick() {
    if (!editable()) {
        return false;
    }
    setValue(value_ == Unchecked ? Checked : Unchecked);
    return true;
}

bool CheckBox::userSetValue(const QString& value) {
    bool ok = false;
    const int number = value.toInt(&ok);
    if (!editable() || !ok || number < Unchecked || number > Checked) {
        return false;
    }
    setValue(number);
    return true;
}

}  // namespace vel
