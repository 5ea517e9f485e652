#pragma once
// ButtonBinding: a button as a QPushButton. The form's default button answers Enter; Escape
// reaches the cancel button through the dialog.
#include "ui/qt/ControlBinding.h"

class QPushButton;

namespace vel {

class Button;

class ButtonBinding : public ControlBinding {
    Q_OBJECT
public:
    ButtonBinding(Button& button, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::CheckField; }

protected:
    void refreshValue() override;

private:
    Button& button_;
    QPushButton* push_;
};

}  // namespace vel
