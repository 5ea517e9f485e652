#include "maintenance/UnattendedImports.h"

#include "data/VelmorSystem.h"
#include "maintenance/AllocationImport.h"
#include "maintenance/AssociateImport.h"
#include "maintenance/TableAccessWait.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"

namespace vel {

namespace {

// Both skip counts 0: the counts stored for the kind of file ("Assoc" or "Alloc").
void takeStoredSkipCounts(VelmorSystem& system, const QString& kind, int& rows, int& fields) {
    if (rows != 0 || fields != 0) {
        return;
    }
    IniSettings settings(system.settingsLocation());
    settings.selectSection(QStringLiteral("ImportFiles"));
    rows = settings.readValue(kind + QStringLiteral("Rows"), QStringLiteral("0")).toInt();
    fields = settings.readValue(kind + QStringLiteral("Fields"), QStringLiteral("0")).toInt();
}

}  // namespace

bool importAssociatesUnattended(VelmorSystem& system, const QString& fileName, int rowsToSkip,
                                int fieldsToSkip, bool deleteNonImported,
                                const std::function<void()>& afterImport) {
    AssociateImportRequest request{fileName, rowsToSkip, fieldsToSkip, std::nullopt, {}};
    request.tableWaitSeconds = unattendedTableWaitSeconds(system);
    takeStoredSkipCounts(system, QStringLiteral("Assoc"), request.rowsToSkip, request.fieldsToSkip);
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

bool importAllocationsUnattended(VelmorSystem& system, const QString& fileName, int rowsToSkip,
                                 int fieldsToSkip, bool addToActivities, int systemId,
                                 bool deleteNonImported) {
    AllocationImportRequest request{fileName, rowsToSkip, fieldsToSkip, std::nullopt,
                                    addToActivities, {}, {}};
    request.tableWaitSeconds = unattendedTableWaitSeconds(system);
    takeStoredSkipCounts(system, QStringLiteral("Alloc"), request.rowsToSkip, request.fieldsToSkip);
    if (systemId != 0) {
        request.systemId = QString::number(systemId);
    }
    if (deleteNonImported) {
        request.deleteNonImported = true;
    }
    bool imported = false;
    guarded(QStringLiteral(" - frmAllocation:Import"), [&] {
        imported = AllocationImport(system).run(request);
    });
    return imported;
}

}  // namespace vel
