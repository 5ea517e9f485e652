#pragma once
// The component's own message box: the system sound of the message's icon class first, then a
// standard message box through the current Ui.
#include "ui/MessageBoxCodes.h"

#include <QString>

namespace vel {

// The sound that belongs to the icon bits of a message-box style (style & 240):
// 16 "SystemHand", 32 "SystemQuestion", 48 "SystemExclamation", 64 "SystemAsterisk",
// anything else "SystemDefault".
QString systemSoundName(int style);

// Plays the icon class's sound, then shows the message; an empty caption becomes the
// application title. Returns the answer code of the button pressed (IDOK, IDYES, ...).
int MessageWithSound(const QString& prompt, int style = MB_OK, const QString& caption = {});

}  // namespace vel
