#include "ui/OptionButton.h"

#include "ui/Form.h"

namespace vel {

void OptionButton::setValue(bool selected) {
    if (selected == value_) {
        return;
    }
    if (selected) {
        for (Control* other : form().controlArray(name())) {
            if (other != this && other->kind() == ControlKind::OptionButton) {
                static_cast<OptionButton*>(other)->clearSilently();
            }
        }
    }
    value_ = selected;
    notifyChanged();
    if (selected) {
        raiseClick();
    }
}

void OptionButton::clearSilently() {
    if (value_) {
        value_ = false;
        notifyChanged();
    }
}

bool OptionButton::userClick() {
    if (!editable()) {
        return false;
    }
    setValue(true);
    return true;
}

bool OptionButton::userSetValue(const QString& value) {
    if (value != QStringLiteral("1")) {
        return false;  // a person selects an option; clearing happens by selecting another
    }
    return userClick();
}

int selectedOption(const Form& form, const QString& name) {
    for (Control* control : form.controlArray(name)) {
        if (control->kind() == ControlKind::OptionButton &&
            static_cast<OptionButton*>(control)->value()) {
            return control->index();
        }
    }
    return -1;
}

}  // namespace vel
