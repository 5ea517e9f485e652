#pragma once
// The backup of a system into one zip file that the person (or the host) names. The files of the
// backup type are packed into a temporary zip (BackupPackage), which is then copied onto the
// chosen file. Settings, section "Backup": "LastZip" (the file chosen last; the dialog starts
// there), "TmpFolder" (the folder of the temporary zip) and "LastDate" ("YYYY/MM/DD") are stored
// after a backup was written.
//
// The person is told the outcome: the file written and how many files it holds, or why nothing
// was written: "Error creating file: NAME" for a target that cannot be created, and
// "Copying temp file: TEMP to: TARGET  Error: ..." (also appended to "error.log" in the data
// folder) for a copy that failed. Other failures are reported with " - Backup".
//
// A backup never replaces one of the files it packs: such a target is refused ("Error creating
// file: NAME" and why), unless it is an earlier backup zip, which is left out of the new one and
// replaced by it.
#include <QDate>
#include <QString>

#include <functional>

namespace vel {

class VelmorSystem;

struct SystemBackupOptions {
    // Copies the temporary zip onto the target: 0 or the system error code (copyFileReplacing).
    std::function<int(const QString& source, const QString& destination)> copyFile;
    // Today's date, for "LastDate" and a backup day that is not given.
    std::function<QDate()> today;
};

class SystemBackup {
  public:
    explicit SystemBackup(VelmorSystem& system, SystemBackupOptions options = {});

    // The whole backup; always false, as the host expects. Day: the day of BackDay and of the
    // day's files in a full backup (today when null). Filename: the target, or empty to ask.
    bool Backup(quintptr hwndOwner, int BackupType, const QDate& Day, const QString& Filename);

  private:
    QString chooseTarget(const QString& lastZip) const;
    bool canCreate(const QString& target) const;
    // Whether the target is one of the files the backup packs and not a zip file.
    bool packedFile(const QString& target, int backupType, const QDate& day) const;
    void copyFailed(const QString& temporary, const QString& target, int errorCode);
    void storeSettings(const QString& target, const QString& temporaryFolder);
    void tell(const QString& text, int icon) const;

    VelmorSystem& system_;
    SystemBackupOptions options_;
};

}  // namespace vel
