#pragma once
// A backup of one system packed into a temporary zip file: "TBZ" + a unique part + ".zip" in the
// temporary folder, with the files of the backup type (BackupFileList) stored under their names
// in the data folder. The status display shows "Zipping Backup Files" and the share written.
// The temporary file is removed with the package; failures are raised as run-time errors.
// The zip is readable by its owner alone; the transfer credentials are never packed (a password
// still in the settings file is moved out of it first).
#include <QDate>
#include <QString>
#include <QStringList>

#include <memory>

class QTemporaryFile;

namespace vel {

class VelmorSystem;

class BackupPackage {
  public:
    BackupPackage(VelmorSystem& system, int backupType, const QDate& day);
    ~BackupPackage();
    BackupPackage(const BackupPackage&) = delete;
    BackupPackage& operator=(const BackupPackage&) = delete;

    // The folder for the temporary zip: the setting when it names an existing folder, else the
    // system's temporary folder.
    static QString temporaryFolderFrom(const QString& setting);
    // The deflate level from settings "Backup"/"CompressionLevel": a whole number from 0 (store
    // the files as they are) to 9 (smallest, slowest); anything else gives the zip command's
    // default, 6.
    static int compressionLevelFrom(const QString& setting);

    // Packs the files into a new temporary zip in the folder and answers its path; the paths in
    // excluded (a target inside the data folder) are not packed.
    QString pack(const QString& temporaryFolder, const QStringList& excluded = {});

    QString temporaryZip() const;
    // The files packed, relative to the data folder.
    const QStringList& files() const { return files_; }

  private:
    VelmorSystem& system_;
    int backupType_;
    QDate day_;
    std::unique_ptr<QTemporaryFile> temporary_;
    QStringList files_;
};

}  // namespace vel
