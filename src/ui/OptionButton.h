#pragma once
// Option button: the buttons of one array (same name, same window) form a group in which at
// most one is selected; selecting one clears the others and raises its Click.
#include "ui/Control.h"

namespace vel {

class OptionButton : public ControlOf<OptionButton> {
public:
    OptionButton(Container& parent, const QString& name, int index, const QString& caption)
        : ControlOf(parent, ControlKind::OptionButton, name, index, caption) {}

    bool value() const { return value_; }
    void setValue(bool selected);

    bool userClick() override;
    QString valueText() const override { return value_ ? QStringLiteral("1") : QStringLiteral("0"); }
    bool userSetValue(const QString& value) override;

private:
    void clearSilently();
    bool value_ = false;
};

// The index of the selected option of the array, or -1 when none is selected.
int selectedOption(const Form& form, const QString& name);

}  // namespace vel
