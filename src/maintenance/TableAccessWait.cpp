#include "maintenance/TableAccessWait.h"

#include "data/VelmorSystem.h"
#include "services/IniSettings.h"
#include "services/WaitSeconds.h"
#include "ui/Ui.h"

namespace vel {

bool takeTablesForChanges(VelmorSystem& system, const QString& accessCode, const QString& tableName,
                          int waitSeconds) {
    if (system.beginTableAccess(accessCode, true, false)) {
        return true;
    }
    if (waitSeconds <= 0) {
        return false;
    }
    Ui& ui = currentUi();
    ui.statusCancellable(true);
    bool taken = false;
    for (int waited = 1; waited <= waitSeconds && !taken; ++waited) {
        system.StatusText(QStringLiteral("Waiting for the %1 Table: it is being changed at "
                                         "another workstation (%2 of %3 seconds)")
                              .arg(tableName)
                              .arg(waited)
                              .arg(waitSeconds));
        WaitSeconds(1);
        if (ui.statusCancelled()) {
            break;
        }
        taken = system.beginTableAccess(accessCode, true, false);
    }
    ui.statusCancellable(false);
    return taken;
}

int unattendedTableWaitSeconds(VelmorSystem& system) {
    IniSettings settings(system.settingsLocation());
    settings.selectSection(QStringLiteral("ImportFiles"));
    bool number = false;
    const int seconds =
        settings.readValue(QStringLiteral("TableWaitSeconds"), QString()).trimmed().toInt(&number);
    return number ? qMax(0, seconds) : defaultTableWaitSeconds;
}

}  // namespace vel
