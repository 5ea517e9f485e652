#pragma once
// DateBoxBinding: a date box as a DateField (empty allowed when the box allows it). A person's
// entry reaches the model through userSetValue in the box's text form, "YYYY/MM/DD".
#include "ui/qt/ControlBinding.h"

namespace vel {

class DateBox;
class DateField;

class DateBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    DateBoxBinding(DateBox& box, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::Field; }
    QWidget* focusWidget() const override;

protected:
    void refreshValue() override;

private:
    DateBox& box_;
    DateField* field_;
};

}  // namespace vel
