#include "maintenance/CorporateControlFiles.h"

#include "data/ProgramObject.h"
#include "data/TableCatalogue.h"
#include "data/VelmorSystem.h"
#include "platform/transfer/ZipArchive.h"
#include "services/AddSlash.h"
#include "services/BrowseFolder.h"
#include "services/CopyOneFile.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

#include <QDate>

namespace vel {

namespace {

const QString corporateSection = QStringLiteral("Corporate");

// The control tables, in the order they are copied.
constexpr const char* controlTables[] = {"TBVMACT.--", "TBVMELM.--", "TBVMTOW.--"};

// The feature switches the sites must agree with: the Performance Policy module.
bool writeFeatures(VelmorSystem& system, const QString& path) {
    IniSettings features;
    if (!features.attach(path)) {
        return false;
    }
    features.selectSection(QStringLiteral("Features"));
    return features.writeText(QStringLiteral("PerformancePolicy"),
                              system.features().performancePolicy ? QStringLiteral("True")
                                                                  : QStringLiteral("False"));
}

bool writeAndZip(VelmorSystem& system, const TableCatalogue& names, const QString& folder) {
    const QString featuresFile = names.path(QString(catalogue::corporateControlFeaturesFile));
    if (!system.writeCorporateControlData() || !writeFeatures(system, featuresFile)) {
        return false;
    }
    system.StatusText(QStringLiteral("Zipping Corporate Control Files"));
    const QString controlFile = names.path(QString(catalogue::corporateControlActivityFile));
    // The sites read the zip, so it is shared as the process's umask allows.
    return ZipArchive::pack({controlFile, featuresFile}, names.corporateControlZip(folder),
                            ZipAccess::Shared)
        .ok;
}

bool copyControlTables(const TableCatalogue& names, const QString& folder, bool silent) {
    for (const char* table : controlTables) {
        const QString name = names.mask(QString::fromLatin1(table));
        if (!CopyOneFile(AddSlash(names.dataFolder()) + name, AddSlash(folder) + name, silent)) {
            return false;
        }
    }
    return true;
}

}  // namespace

bool createCorporateControlFiles(quintptr ownerHandle, VelmorSystem& system, bool silent) {
    ProgramObject& program = system.Program();
    IniSettings settings(system.settingsLocation());
    settings.selectSection(corporateSection);
    QString folder = settings.readValue(QStringLiteral("Folder"), QString());
    if (!silent) {
        folder = BrowseFolder(ownerHandle, QStringLiteral("Folder for Corporate Control File"),
                              folder);
        if (folder.isEmpty() ||
            system.AskMessage(QStringLiteral("OK to create the Corporate Control File in folder: ") +
                                  folder + QStringLiteral(" ?"),
                              MB_YESNO | MB_ICONQUESTION, program.title()) != IDYES) {
            return false;
        }
    }
    const TableCatalogue names(program.dataFolder(), program.systemNumber());
    if (folder.isEmpty() || !writeAndZip(system, names, folder)) {
        if (!silent) {
            MessageWithSound(QStringLiteral("Could not create the Corporate Control File in folder: ") +
                                 folder + QStringLiteral(" ?"),
                             MB_OK | MB_ICONINFORMATION, program.title());
        }
        return false;
    }
    settings.writeText(QStringLiteral("Folder"), folder);
    settings.writeDate(QStringLiteral("LastDate"), QDate::currentDate());
    return copyControlTables(names, folder, silent);
}

}  // namespace vel
