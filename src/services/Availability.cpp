#include "services/Availability.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "services/MessageWithSound.h"

namespace vel {

void notAvailableYet(VelmorSystem& system, const QString& what) {
    const QString title = system.Program().title();
    MessageWithSound(
        what + QStringLiteral(" is not available yet in this version of ") + title + u'.',
        MB_OK | MB_ICONINFORMATION, title);
}

}  // namespace vel
