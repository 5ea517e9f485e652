#pragma once
// The files a backup of one system takes, by backup type. Names are relative to the data folder
// ("TBVMACT.--1", "BATCH/run.bat"); masks that end in an extension marker get the system
// number, and a name whose extension is another system's number (all digits) is never taken.
//
//   BackFull       the system's data: the master file and its family, the tables, day files,
//                  change log, incentive rates, the files of the backup day and the settings
//   BackTables     the system's tables only (no day files, no master file, no settings)
//   BackDay        the day files and the files of the backup day
//   BackFile       every file of the system ("TB*.??", the master file, the settings) and the
//                  site's shared product files
//   BackNamedFile  as BackFile, with the zip files of the data folder and the LOGS and BATCH
//                  subfolders: everything needed to set the site up again elsewhere
//
// The files of a day are "TB" + day code + one character + "." + two characters + the system
// number; the day code is the month and day, "MMDD" ("TB0313A.--1" for 13 March).
#include <QDate>
#include <QString>
#include <QStringList>

namespace vel {

class BackupFileList {
  public:
    BackupFileList(const QString& dataFolder, int systemNumber);

    // The masks of a backup type, as catalogued (before the system number is added); empty for
    // a type that does not exist.
    QStringList masks(int backupType, const QDate& day) const;
    // Whether the backup type exists (BackFull to BackNamedFile).
    static bool isBackupType(int backupType);
    // The day code in the names of a day's files: "MMDD".
    static QString dayCode(const QDate& day);

    // The files of the backup type, sorted, each once; paths in excluded (absolute) are left out.
    QStringList files(int backupType, const QDate& day, const QStringList& excluded = {}) const;

  private:
    QStringList matching(const QString& mask) const;

    QString dataFolder_;
    int systemNumber_;
};

}  // namespace vel
