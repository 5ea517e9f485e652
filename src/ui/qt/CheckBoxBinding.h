#pragma once
// CheckBoxBinding: a check box as a QCheckBox, greyed shown as partly checked. A click goes to
// the model, which ticks or clears it (or refuses when locked); the widget then shows the model.
#include "ui/qt/ControlBinding.h"

class QCheckBox;

namespace vel {

class CheckBox;

class CheckBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    CheckBoxBinding(CheckBox& box, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::CheckField; }

protected:
    void refreshValue() override;

private:
    CheckBox& box_;
    QCheckBox* check_;
};

}  // namespace vel
