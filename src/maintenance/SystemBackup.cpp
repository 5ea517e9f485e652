#include "maintenance/SystemBackup.h"

#include "data/ProgramObject.h"
#include "data/TableCatalogue.h"
#include "data/VelmorSystem.h"
#include "maintenance/BackupFileList.h"
#include "maintenance/BackupPackage.h"
#include "platform/transfer/ZipArchive.h"
#include "services/AddSlash.h"
#include "services/ErrorReport.h"
#include "services/FileCopy.h"
#include "services/IniSettings.h"
#include "services/RuntimeError.h"
#include "ui/MessageBoxCodes.h"
#include "ui/Ui.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>

#include <algorithm>

namespace vel {

namespace {

const QString backupSection = QStringLiteral("Backup");
const QString caption = QStringLiteral("Backup/Zip");

}  // namespace

SystemBackup::SystemBackup(VelmorSystem& system, SystemBackupOptions options)
    : system_(system), options_(std::move(options)) {
    if (!options_.copyFile) {
        options_.copyFile = copyFileReplacing;
    }
    if (!options_.today) {
        options_.today = [] { return QDate::currentDate(); };
    }
}

bool SystemBackup::Backup(quintptr, int BackupType, const QDate& Day, const QString& Filename) {
    bool result = false;
    return guarded(QStringLiteral(" - Backup"), result, [&] {
        if (!BackupFileList::isBackupType(BackupType)) {
            throw RuntimeError::invalidCall(
                QStringLiteral("There is no backup type %1").arg(BackupType));
        }
        IniSettings settings(system_.settingsLocation());
        settings.selectSection(backupSection);
        const QString lastZip = settings.readValue(QStringLiteral("LastZip"));
        const QString temporaryFolder =
            BackupPackage::temporaryFolderFrom(settings.readValue(QStringLiteral("TmpFolder")));

        const QString target = Filename.isEmpty() ? chooseTarget(lastZip) : Filename;
        if (target.isEmpty()) {
            return;  // the person cancelled the dialog
        }
        if (system_.AskMessage(QStringLiteral("OK to start the Backup operation?"),
                               MB_YESNO | MB_ICONQUESTION, caption) != IDYES) {
            return;
        }
        const QDate day = Day.isValid() ? Day : options_.today();
        if (!canCreate(target)) {
            tell(QStringLiteral("Error creating file: ") + target, MB_ICONEXCLAMATION);
            return;
        }
        if (packedFile(target, BackupType, day)) {
            tell(QStringLiteral("Error creating file: ") + target +
                     QStringLiteral("\nIt is one of the files being backed up."),
                 MB_ICONEXCLAMATION);
            return;
        }
        BackupPackage package(system_, BackupType, day);
        const QString temporary = package.pack(temporaryFolder, {target});
        if (const int errorCode = options_.copyFile(temporary, target)) {
            copyFailed(temporary, target, errorCode);
            return;
        }
        storeSettings(target, temporaryFolder);
        tell(QStringLiteral("Backup complete.  %1 files were written to: %2")
                 .arg(package.files().size())
                 .arg(target),
             MB_ICONINFORMATION);
    });
}

// The save-file dialog, starting from the file chosen last.
QString SystemBackup::chooseTarget(const QString& lastZip) const {
    FileDialogRequest request;
    request.title = QStringLiteral("Select File to hold the Backup");
    request.folder = QFileInfo(lastZip).absolutePath();
    request.fileName = QFileInfo(lastZip).fileName();
    request.filter = QStringLiteral("All Files (*.*)|*.*|Zip Files (*.zip)|*.zip");
    request.defaultExtension = QStringLiteral(".zip");
    return currentUi().saveFileName(request);
}

// Whether the target can be written: its folder exists and takes the file (an existing file is
// opened for appending, which leaves it as it was; a new one is made and removed again).
bool SystemBackup::canCreate(const QString& target) const {
    const QFileInfo info(target);
    if (info.isDir() || !info.absoluteDir().exists()) {
        return false;
    }
    const bool existed = info.exists();
    QFile file(target);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        return false;
    }
    file.close();
    if (!existed) {
        file.remove();
    }
    return true;
}

bool SystemBackup::packedFile(const QString& target, int backupType, const QDate& day) const {
    const QFileInfo info(target);
    if (!info.exists()) {
        return false;
    }
    const QString targetPath = info.canonicalFilePath();
    const QDir dataFolder(system_.Program().dataFolder());
    const QStringList files =
        BackupFileList(dataFolder.path(), system_.Program().systemNumber()).files(backupType, day);
    const bool packed = std::ranges::any_of(files, [&](const QString& name) {
        return QFileInfo(dataFolder.filePath(name)).canonicalFilePath() == targetPath;
    });
    return packed && !ZipArchive::entryNames(target).ok;
}

// Tells the person and appends the same line to "error.log" in the data folder.
void SystemBackup::copyFailed(const QString& temporary, const QString& target, int errorCode) {
    const QString line = QStringLiteral("Copying temp file: ") + temporary +
                         QStringLiteral(" to: ") + target + QStringLiteral("  Error: ") +
                         systemErrorText(errorCode);
    QFile log(AddSlash(system_.Program().dataFolder()) + catalogue::backupErrorLog);
    if (log.open(QIODevice::WriteOnly | QIODevice::Append | QIODevice::Text)) {
        QTextStream(&log) << line << '\n';
    }
    tell(line, MB_ICONEXCLAMATION);
}

void SystemBackup::storeSettings(const QString& target, const QString& temporaryFolder) {
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(backupSection);
    if (!settings.writeText(QStringLiteral("LastZip"), QFileInfo(target).absoluteFilePath()) ||
        !settings.writeText(QStringLiteral("TmpFolder"), temporaryFolder) ||
        !settings.writeDate(QStringLiteral("LastDate"), options_.today())) {
        throw RuntimeError(75, settings.lastError());
    }
}

void SystemBackup::tell(const QString& text, int icon) const {
    system_.ShowMessage(text, MB_OK | icon, caption);
}

}  // namespace vel
