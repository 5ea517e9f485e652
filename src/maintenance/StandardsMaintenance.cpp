#include "maintenance/StandardsMaintenance.h"

#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/StandardRecord.h"
#include "ui/MessageBoxCodes.h"

namespace vel {

namespace {

const QString continueCaption = QStringLiteral("OK to Continue?");

bool rebuildConfirmed(VelmorSystem& system) {
    const QString warning =
        QStringLiteral("Make sure all Days are Posted.  After the rebuild, any Unposted days will "
                       "not be valid, and will not be able to be printed or posted.  Also, after "
                       "the rebuild, you will not be able to Un-Post any days.") +
        QStringLiteral("\n\nOK to Continue with the Rebuild?");
    if (system.AskMessage(warning, MB_OKCANCEL | MB_ICONEXCLAMATION | MB_DEFBUTTON2,
                          continueCaption) != IDOK) {
        return false;
    }
    return system.AskMessage(
               QStringLiteral("Are you REALLY, REALLY sure you want to Continue with the Rebuild?"),
               MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, continueCaption) == IDYES;
}

}  // namespace

void reindexStandards(VelmorSystem& system) {
    auto& standards = system.standards();
    if (!standards.open()) {
        return;
    }
    standards.reindex();
    standards.close();
}

void rebuildStandards(VelmorSystem& system) {
    struct PhaseEnd {
        VelmorSystem& system;
        ~PhaseEnd() { system.endTableAccess(); }
    };
    const bool started = system.beginTableAccess(QStringLiteral("A"), true, true);
    PhaseEnd end{system};
    if (!started || !rebuildConfirmed(system)) {
        return;
    }
    auto& activities = system.activities();
    if (!activities.open()) {
        return;
    }
    system.rebuildStandards();
    activities.close();
}

}  // namespace vel
