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

    // The button's face colour as 0x00BBGGRR (a kiosk button's colour); -1: the usual face.
    int backColor() const { return backColor_; }
    void setBackColor(int bgrColor) {
        backColor_ = bgrColor;
        notifyChanged();
    }

private:
    int backColor_ = -1;
    bool default_ = false;
    bool cancel_ = false;
};

}  // namespace vel
