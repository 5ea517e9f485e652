#pragma once
// ComboBoxBinding: a combo box as a QComboBox, editable when the combo takes typed text. Picking
// an item goes through userSelect; typed text through userSetValue, keystroke by keystroke.
#include "ui/qt/ControlBinding.h"

class QComboBox;

namespace vel {

class ComboBox;

class ComboBoxBinding : public ControlBinding {
    Q_OBJECT
public:
    ComboBoxBinding(ComboBox& combo, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::Field; }

protected:
    void refreshValue() override;

private:
    ComboBox& combo_;
    QComboBox* widget_;
};

}  // namespace vel
