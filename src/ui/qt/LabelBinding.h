#pragma once
// LabelBinding: a label control as a QLabel. Its "&" mnemonic moves the focus to the control
// after it; a label without such a partner shows its caption without the marker.
#include "ui/qt/ControlBinding.h"

class QLabel;

namespace vel {

class LabelBinding : public ControlBinding {
    Q_OBJECT
public:
    LabelBinding(Control& label, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::Spanning; }

protected:
    void refreshValue() override;

private:
    QLabel* label_;
};

}  // namespace vel
