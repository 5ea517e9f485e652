#pragma once
// TimeBoxBinding: a time box as a 24-hour QTimeEdit ("hh:nn"); the entry goes to the model
// through userSetValue when editing ends.
#include "ui/qt/ControlBinding.h"

class QTimeEdit;

namespace vel {

class TimeBox;

class TimeBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    TimeBoxBinding(TimeBox& box, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::Field; }

protected:
    void refreshValue() override;

private:
    TimeBox& box_;
    QTimeEdit* edit_;
};

}  // namespace vel
