#pragma once
// Button: raises Click. A default button answers Enter, a cancel button Escape.
#include "ui/Control.h"

namespace vel {

class Button : public ControlOf<Button> {
public:
    Button(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::Button, name, index, caption) {}

    bool isDefault() const { return default_; }
    Button& makeDefault() { default_ = true; return *this; }
    bool isCancel() const { return cancel_; }
    Button& makeCancel() { cancel_ = true; return *this; }
    bool userSetValue(const QString&) override { return false; }

private:
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace vel
