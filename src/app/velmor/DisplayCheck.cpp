#include "app/velmor/DisplayCheck.h"

#include <QtGlobal>

namespace vel {

bool displayAvailable(QString* reason) {
    if (!qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM") ||
        !qEnvironmentVariableIsEmpty("DISPLAY") ||
        !qEnvironmentVariableIsEmpty("WAYLAND_DISPLAY")) {
        return true;
    }
    if (reason) {
        *reason = QStringLiteral("neither DISPLAY nor WAYLAND_DISPLAY is set");
    }
    return false;
}

}  // namespace vel
