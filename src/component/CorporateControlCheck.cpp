#include "component/CorporateControlCheck.h"

#include "data/ProgramObject.h"
#include "data/TableCatalogue.h"
#include "data/VelmorSystem.h"
#include "platform/transfer/ZipArchive.h"
#include "services/AddSlash.h"
#include "services/CopyOneFile.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <optional>

namespace vel {

namespace {

const QString paragraph = QStringLiteral("\n\n");

// The corporate control zip in the folder and the corporate system number it carries; the
// site's own number is preferred when a zip of that number is there. 0 when there is none.
int corporateSystemNumber(const QString& folder, int ownNumber) {
    const QStringList zips = TableCatalogue::filesMatching(folder, QStringLiteral("TBCCnt*.ZIP"));
    static const QRegularExpression number(QStringLiteral("^TBCCnt(\\d+)\\.ZIP$"),
                                           QRegularExpression::CaseInsensitiveOption);
    int found = 0;
    for (const QString& zip : zips) {
        const QRegularExpressionMatch match = number.match(QFileInfo(zip).fileName());
        if (match.hasMatch()) {
            const int candidate = match.captured(1).toInt();
            if (candidate == ownNumber) {
                return candidate;
            }
            found = found == 0 ? candidate : found;
        }
    }
    return found;
}

bool isStale(const QString& copy, const QString& original) {
    const QFileInfo copyInfo(copy);
    return !copyInfo.exists() || copyInfo.lastModified() < QFileInfo(original).lastModified();
}

void refuse(const QString& title, const QString& prompt) {
    MessageWithSound(prompt, MB_OK | MB_ICONEXCLAMATION, title);
}

// What a control zip may unpack to: its control activity file, which is a few megabytes at
// most even for a large corporate system, and the corporate feature switches.
ZipLimits controlZipLimits(int corporateNumber) {
    ZipLimits limits;
    limits.names = {TableCatalogue::forSystem(QString(catalogue::corporateControlActivityFile),
                                              corporateNumber),
                    TableCatalogue::forSystem(QString(catalogue::corporateControlFeaturesFile),
                                              corporateNumber)};
    limits.maximumTotalSize = qint64(64) << 20;
    limits.maximumRatio = 250;
    return limits;
}

// Brings the control files into the local subfolder; empty when done, else why not (an empty
// reason when the copy failed without one).
std::optional<QString> copyControlFiles(VelmorSystem& system, const QString& folder,
                                        int corporateNumber, const QStringList& tables) {
    ProgramObject& program = system.Program();
    const QString local = TableCatalogue(program.dataFolder(), program.systemNumber()).corporateSubfolder();
    if (!QDir().mkpath(local)) {
        return QString();
    }
    for (const QString& table : tables) {
        const QString source = TableCatalogue::findFile(folder, TableCatalogue::forSystem(table, corporateNumber));
        const QString target = AddSlash(local) + TableCatalogue::forSystem(table, program.systemNumber());
        if (isStale(target, source) && !CopyOneFile(source, target)) {
            return QString();
        }
    }
    const QString zip = TableCatalogue::findFile(
        folder, QStringLiteral("TBCCnt%1.ZIP").arg(corporateNumber));
    const QString unpacked = AddSlash(local) + TableCatalogue::forSystem(
        QString(catalogue::corporateControlActivityFile), corporateNumber);
    if (isStale(unpacked, zip)) {
        system.StatusText(QStringLiteral("Unzipping Corporate Control Files"));
        const ZipResult result =
            ZipArchive::extractAll(zip, local, controlZipLimits(corporateNumber));
        if (!result.ok) {
            return result.error;
        }
    }
    return std::nullopt;
}

// Takes the corporate system's Performance Policy switch from the unpacked features file into
// the site's settings ("Corporate"/"PerformancePolicy"), where the settings editor reads it; a
// control zip without the file has the module off.
void takeCorporateFeatures(VelmorSystem& system, IniSettings& settings, int corporateNumber) {
    ProgramObject& program = system.Program();
    const QString local =
        TableCatalogue(program.dataFolder(), program.systemNumber()).corporateSubfolder();
    const QString path = TableCatalogue::findFile(
        local, TableCatalogue::forSystem(QString(catalogue::corporateControlFeaturesFile),
                                         corporateNumber));
    QString policy = QStringLiteral("False");
    IniSettings features;
    if (QFileInfo::exists(path) && features.attach(path)) {
        features.selectSection(QStringLiteral("Features"));
        policy = features.readValue(QStringLiteral("PerformancePolicy"), policy);
    }
    settings.selectSection(QStringLiteral("Corporate"));
    if (settings.readValue(QStringLiteral("PerformancePolicy"), QString()) != policy) {
        settings.writeText(QStringLiteral("PerformancePolicy"), policy);
    }
}

}  // namespace

bool corporateControlCheck(VelmorSystem& system) {
    ProgramObject& program = system.Program();
    const QString title = program.title();
    IniSettings settings(system.settingsLocation());
    settings.selectSection(QStringLiteral("Corporate"));
    const QString folder = settings.readValue(QStringLiteral("Folder"), QString());
    const SystemFeatures features = system.features();

    if (!features.usesCorporateControl) {
        if (folder.trimmed().isEmpty()) {
            return true;
        }
        const QString warning =
            QStringLiteral("The Corporate Control Folder has been defined, but the Control setting is off.") +
            paragraph +
            QStringLiteral("If you make changes to the Activity or Type of Work Table with the Control "
                           "setting off, it may cause very harmful results importing information into "
                           "the Corporate system.") +
            paragraph + QStringLiteral("Are you sure you want to continue?");
        return MessageWithSound(warning, MB_YESNO | MB_ICONEXCLAMATION | MB_DEFBUTTON2, title) == IDYES;
    }

    system.StatusText(QStringLiteral("Accessing Corporate Control File"));
    const int corporateNumber = folder.isEmpty() ? 0 : corporateSystemNumber(folder, program.systemNumber());
    if (corporateNumber == 0) {
        refuse(title, QStringLiteral("Corporate Control file does not exist.  Try Creating the Corporate "
                                     "Control files from the Corporate System.") +
                          paragraph + QStringLiteral("You cannot edit Velmor tables without the control file."));
        return false;
    }
    const QStringList tables{QString(catalogue::activityTable), QString(catalogue::elementTable),
                             QString(catalogue::typeOfWorkTable)};
    for (const QString& table : tables) {
        if (!QFileInfo::exists(TableCatalogue::findFile(folder, TableCatalogue::forSystem(table, corporateNumber)))) {
            refuse(title, QStringLiteral("All of the Corporate Control files for Activities do not exist.  "
                                         "Try Creating the Corporate Control files from the Corporate System.") +
                              paragraph +
                              QStringLiteral("You cannot Edit Velmor tables without the Control files."));
            return false;
        }
    }
    if (const auto problem = copyControlFiles(system, folder, corporateNumber, tables)) {
        const QString reason = problem->isEmpty() ? QString() : paragraph + *problem;
        refuse(title, QStringLiteral("Cannot Copy the Corporate Control files to the Corporate "
                                     "subfolder") + reason);
        return false;
    }
    takeCorporateFeatures(system, settings, corporateNumber);
    return true;
}

}  // namespace vel
