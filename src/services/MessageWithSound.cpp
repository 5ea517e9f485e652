#include "services/MessageWithSound.h"

#include "services/ApplicationTitle.h"
#include "ui/Ui.h"

namespace vel {

QString systemSoundName(int style) {
    switch (style & 240) {
        case MB_ICONHAND:
            return QStringLiteral("SystemHand");
        case MB_ICONQUESTION:
            return QStringLiteral("SystemQuestion");
        case MB_ICONEXCLAMATION:
            return QStringLiteral("SystemExclamation");
        case MB_ICONASTERISK:
            return QStringLiteral("SystemAsterisk");
        default:
            return QStringLiteral("SystemDefault");
    }
}

int MessageWithSound(const QString& prompt, int style, const QString& caption) {
    Ui& ui = currentUi();
    ui.playSound(systemSoundName(style));
    return ui.messageBox(prompt, style, caption.isEmpty() ? applicationTitle() : caption);
}

}  // namespace vel
