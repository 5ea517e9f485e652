#pragma once
// NumberBoxBinding: a number box as a QSpinBox (whole numbers within the int range) or a
// QDoubleSpinBox, with the box's decimals and limits. The value is handed over when editing
// ends (Enter, focus leaving, arrow steps), through userSetValue.
#include "ui/qt/ControlBinding.h"

class QAbstractSpinBox;
class QDoubleSpinBox;
class QSpinBox;

namespace vel {

class NumberBox;

class NumberBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    NumberBoxBinding(NumberBox& box, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::Field; }

protected:
    void refreshValue() override;

private:
    void take(const QString& text);

    NumberBox& box_;
    QSpinBox* whole_ = nullptr;
    QDoubleSpinBox* real_ = nullptr;
};

}  // namespace vel
