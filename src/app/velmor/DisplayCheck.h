#pragma once
// Whether windows can be shown: a Qt platform was chosen explicitly (QT_QPA_PLATFORM), or an
// X11 or Wayland display is named in the environment. When not, reason says what is missing.
#include <QString>

namespace vel {

bool displayAvailable(QString* reason = nullptr);

}  // namespace vel
