#pragma once
// OptionButtonBinding: an option button as a QRadioButton. The buttons of one array share an
// exclusive button group (so arrow keys move between them), wherever in the window they sit.
#include "ui/qt/ControlBinding.h"

class QRadioButton;

namespace vel {

class OptionButton;

class OptionButtonBinding : public ControlBinding {
    Q_OBJECT
public:
    OptionButtonBinding(OptionButton& option, FormRenderer& renderer, QWidget* parent);
    Placement placement() const override { return Placement::CheckField; }

protected:
    void refreshValue() override;

private:
    OptionButton& option_;
    QRadioButton* radio_;
};

}  // namespace vel
