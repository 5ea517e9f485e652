#include "maintenance/EditorImports.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "maintenance/AllocationImport.h"
#include "maintenance/AssociateImport.h"
#include "maintenance/frmImport.h"
#include "maintenance/frmImportShow.h"
#include "maintenance/frmOKtoImport.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"

namespace vel {

namespace {

// Where the last file and skip counts of one kind of import are kept.
struct ImportKeys {
    QString section;
    QString fileKey;
    QString defaultFile;
    QString rowsKey;  // empty: the skip counts are not kept
    QString fieldsKey;
};

using ImportRun = std::function<bool(const frmImport::Request& request,
                                     const std::function<bool(const QStringList&)>& confirm)>;

// The file window until an import runs to its end, the person gives up, or declines to retry.
bool askAndImport(VelmorSystem& system, frmImport::Request request, const ImportKeys& keys,
                  const QStringList& labels, const ImportRun& run) {
    IniSettings settings(system.settingsLocation());
    settings.selectSection(keys.section);
    request.fileName = settings.readValue(keys.fileKey, keys.defaultFile);
    if (!keys.rowsKey.isEmpty()) {
        request.rowsToSkip = settings.readValue(keys.rowsKey, QStringLiteral("0")).toInt();
        request.fieldsToSkip = settings.readValue(keys.fieldsKey, QStringLiteral("0")).toInt();
    }
    frmImport fileWindow;
    frmImportShow preview;
    bool previewCancelled = false;
    const auto confirm = [&](const QStringList& fields) {
        previewCancelled = !preview.Confirm(labels, fields);
        return !previewCancelled;
    };
    for (;;) {
        if (!fileWindow.Ask(request)) {
            return false;
        }
        settings.selectSection(keys.section);
        settings.writeText(keys.fileKey, request.fileName);
        if (!keys.rowsKey.isEmpty()) {
            settings.writeInteger(keys.rowsKey, request.rowsToSkip);
            settings.writeInteger(keys.fieldsKey, request.fieldsToSkip);
        }
        previewCancelled = false;
        if (run(request, confirm)) {
            return true;
        }
        if (previewCancelled ||
            MessageWithSound(QStringLiteral("Would you like to try importing again?"),
                             MB_YESNO | MB_ICONQUESTION, system.Program().title()) != IDYES) {
            return false;
        }
    }
}

}  // namespace

bool importAllocationsFromEditor(VelmorSystem& system, QList<int>& forActivities) {
    bool imported = false;
    guarded(QStringLiteral(" - frmAllocation:Import"), [&] {
        frmImport::Request request{QStringLiteral("Import Allocation Table Records"),
                                   QStringLiteral("Enter the name of the file to import into the "
                                                  "Allocation Table")};
        imported = askAndImport(
            system, request,
            {QStringLiteral("ImportFiles"), QStringLiteral("Allocation"), QStringLiteral("alloc.txt"),
             QStringLiteral("AllocRows"), QStringLiteral("AllocFields")},
            AllocationImport::fileLabels(), [&](const frmImport::Request& chosen, const auto& confirm) {
                AllocationImport import(system);
                const bool ran = import.run({chosen.fileName, chosen.rowsToSkip, chosen.fieldsToSkip,
                                             std::nullopt, std::nullopt, {}, confirm, true});
                forActivities += import.forActivities();
                return ran;
            });
    });
    return imported;
}

bool importAssociatesFromEditor(VelmorSystem& system, const std::function<void()>& afterImport) {
    bool imported = false;
    guarded(QStringLiteral(" - frmEmployee:Import"), [&] {
        const frmOKtoImport::Choice choice = frmOKtoImport().Ask();
        if (choice == frmOKtoImport::Cancelled) {
            return;
        }
        const bool codes = choice == frmOKtoImport::ChangeCodes;
        frmImport::Request request{
            codes ? QStringLiteral("Import Associate Code Records")
                  : QStringLiteral("Import Associate Table Records"),
            codes ? QStringLiteral("Enter the name of the file to import into the Associate Table to "
                                   "change the Codes")
                  : QStringLiteral("Enter the name of the file to import into the Associate Table")};
        const ImportKeys keys =
            codes ? ImportKeys{QStringLiteral("CodeFiles"), QStringLiteral("Associate"),
                               QStringLiteral("assoc.csv"), {}, {}}
                  : ImportKeys{QStringLiteral("ImportFiles"), QStringLiteral("Associate"),
                               QStringLiteral("assoc.csv"), QStringLiteral("AssocRows"),
                               QStringLiteral("AssocFields")};
        imported = askAndImport(
            system, request, keys,
            codes ? AssociateImport::codeFileLabels() : AssociateImport::updateFileLabels(),
            [&](const frmImport::Request& chosen, const auto& confirm) {
                AssociateImport import(system, QDate::currentDate());
                import.setAfterImport(afterImport);
                const AssociateImportRequest run{chosen.fileName, chosen.rowsToSkip,
                                                 chosen.fieldsToSkip, std::nullopt, confirm, true};
                return codes ? import.importCodeChanges(run) : import.importUpdates(run);
            });
    });
    return imported;
}

}  // namespace vel
