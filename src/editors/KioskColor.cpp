#include "editors/KioskColor.h"

#include "reports/CCommonDialog.h"
#include "ui/Button.h"

namespace vel {

bool chooseKioskColor(Button& button, int& color) {
    CCommonDialog dialog;
    dialog.setColor(color);
    dialog.ShowColor();
    if (dialog.APIReturn() == 0) {
        return false;
    }
    color = dialog.Color();
    showKioskColor(button, color);
    return true;
}

void showKioskColor(Button& button, int color) {
    // A colour never chosen (black, the stored default) shows the usual face.
    button.setBackColor(color == 0 ? -1 : color);
}

}  // namespace vel
