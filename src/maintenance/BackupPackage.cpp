#include "maintenance/BackupPackage.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "maintenance/BackupFileList.h"
#include "platform/transfer/ZipArchive.h"
#include "services/AddSlash.h"
#include "services/IniSettings.h"
#include "services/RuntimeError.h"
#include "services/TransferCredentials.h"
#include "ui/Ui.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryFile>

namespace vel {

namespace {
// Run-time error 75, "Path/File access error": the temporary zip cannot be made or written.
constexpr int fileAccessError = 75;
}  // namespace

BackupPackage::BackupPackage(VelmorSystem& system, int backupType, const QDate& day)
    : system_(system), backupType_(backupType), day_(day) {}

BackupPackage::~BackupPackage() = default;

QString BackupPackage::temporaryFolderFrom(const QString& setting) {
    const QString folder = setting.trimmed();
    return !folder.isEmpty() && QFileInfo(folder).isDir() ? folder : QDir::tempPath();
}

int BackupPackage::compressionLevelFrom(const QString& setting) {
    bool number = false;
    const int level = setting.trimmed().toInt(&number);
    return number && level >= 0 && level <= 9 ? level : ZipArchive::defaultCompressionLevel;
}

QString BackupPackage::temporaryZip() const {
    return temporary_ ? temporary_->fileName() : QString();
}

QString BackupPackage::pack(const QString& temporaryFolder, const QStringList& excluded) {
    if (!BackupFileList::isBackupType(backupType_)) {
        throw RuntimeError::invalidCall(
            QStringLiteral("There is no backup type %1").arg(backupType_));
    }
    temporary_ = std::make_unique<QTemporaryFile>(AddSlash(temporaryFolder) +
                                                  QStringLiteral("TBZXXXXXX.zip"));
    if (!temporary_->open()) {
        throw RuntimeError(fileAccessError,
                           QStringLiteral("Error creating file: ") + temporary_->fileTemplate());
    }
    temporary_->close();
    const QString zip = temporary_->fileName();

    ProgramObject& program = system_.Program();
    const QString dataFolder = program.dataFolder();
    // The settings file is packed; a transfer password still kept in it moves out first.
    TransferCredentials credentials(dataFolder, program.systemNumber());
    if (!credentials.moveOutOfSettings()) {
        throw RuntimeError(fileAccessError,
                           QStringLiteral("Cannot keep the transfer password out of the backup: ") +
                               credentials.lastError());
    }
    files_ = BackupFileList(dataFolder, program.systemNumber())
                 .files(backupType_, day_, excluded + QStringList{zip});
    QList<ZipEntry> entries;
    for (const QString& name : files_) {
        entries.append({AddSlash(dataFolder) + name, name});
    }
    IniSettings settings(system_.settingsLocation());
    settings.selectSection(QStringLiteral("Backup"));
    const int level = compressionLevelFrom(settings.readValue(QStringLiteral("CompressionLevel")));
    system_.StatusText(QStringLiteral("Zipping Backup Files"));
    const ZipResult packed = ZipArchive::pack(
        entries, zip,
        [this](int percent) {
            system_.StatusPercent(percent);
            currentUi().processEvents();
        },
        ZipAccess::OwnerOnly, level);
    system_.StatusDone();
    if (!packed.ok) {
        throw RuntimeError(fileAccessError, packed.error);
    }
    return zip;
}

}  // namespace vel
