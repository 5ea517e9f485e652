#include "maintenance/UnattendedImports.h"

#include "data/VelmorSystem.h"
#include "maintenance/AssociateImport.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"

namespace vel {

bool importAssociatesUnattended(VelmorSystem& system, const QString& fileName, int rowsToSkip,
                                int fieldsToSkip, bool deleteNonImported,
                                const std::function<void()>& afterImport) {
    AssociateImportRequest request{fileName, rowsToSkip, fieldsToSkip, std::nullopt, {}};
    if (rowsToSkip == 0 && fieldsToSkip == 0) {
        IniSettings settings(system.settingsLocation());
        settings.selectSection(QStringLiteral("ImportFiles"));
        request.rowsToSkip = settings.readValue(QStringLiteral("AssocRows"), QStringLiteral("0")).toInt();
        request.fieldsToSkip = settings.readValue(QStringLiteral("AssocFields"), QStringLiteral("0")).toInt();
    }
    if (deleteNonImported) {
        request.deleteNonImported = true;
    }
    bool imported = false;
    guarded(QStringLiteral(" - frmEmployee:ProcessImportFile"), [&] {
        AssociateImport import(system, QDate::currentDate());
        import.setAfterImport(afterImport);
        imported = import.importUpdates(request);
    });
    return imported;
}

}  // namespace vel
