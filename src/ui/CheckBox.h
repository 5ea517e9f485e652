#pragma once
// Check box: value 0 unchecked, 1 checked, 2 greyed. Raises Click when the value changes.
#include "ui/Control.h"

namespace vel {

class CheckBox : public ControlOf<CheckBox> {
public:
    enum Value { Unchecked = 0, Checked = 1, Grayed = 2 };

    CheckBox(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::CheckBox, name, index, caption) {}

    int value() const { return value_; }
    bool checked() const { return value_ == Checked; }
    void setValue(int value);
    void setChecked(bool on) { setValue(on ? Checked : Unchecked); }

    bool userClick() override;  // a click ticks an unticked box and clears any other
    QString valueText() const override { return QString::number(value_); }
    bool userSetValue(const QString& value) override;

private:
    int value_ = Unchecked;
};

}  // namespace vel
