#pragma once
// ContainerBinding: a frame (QGroupBox), a row of controls (plain widget) or the save buttons
// (a QDialogButtonBox that orders OK and Cancel as the desktop does). Disabling or hiding the
// container disables or hides everything in it, in the model and on screen alike.
#include "ui/qt/ControlBinding.h"

namespace vel {

class SaveButtons;

class ContainerBinding : public ControlBinding {
    Q_OBJECT
public:
    ContainerBinding(Control& control, FormRenderer& renderer, QWidget* parent);

    Placement placement() const override { return Placement::Spanning; }
    // Puts the bound widgets of the OK and Cancel buttons into the button box.
    void buildButtonBox(SaveButtons& buttons);

protected:
    void refreshValue() override;
};

}  // namespace vel
