#pragma once
// The activity list's "Update..." action: element standards read from a delimited file, one
// line per activity, allocation, element and time, into the activity table being edited (the
// list's save writes them). Before anything changes the current standards are written to a
// backup file that the same action can read back.
//
// A line holds up to five fields: activity code, allocation code (blank: the element standard
// and every allocation), element description, units per hour, minutes per unit. A line is split
// at tabs when it holds one, else at commas when it holds one, else at blanks. The new standard
// is the units per hour when given, else 60 / minutes per unit. Every line gets one remark in
// the log ("updated to 40.00 units per hour", "not updated. Element not found.", ...).
#include <QString>
#include <QStringList>
#include <vector>

namespace vel {

class VelmorSystem;

class ActivityStandardsImport {
  public:
    struct LogLine {
        QString activity;
        QString allocation;
        QString element;
        QString unitsPerHour;
        QString minutesPerUnit;
        QString remarks;
    };

    explicit ActivityStandardsImport(VelmorSystem& system);

    // The interactive action: the file window, the import, its log, the report and the offer to
    // try again. True when a standard changed.
    bool run();

    // Imports one file without windows (messages only for a failure to open or to back up).
    // False when the file could not be opened or the backup not written; nothing changed then.
    bool importFile(const QString& path, int rowsToSkip, int fieldsToSkip);

    // Writes every standard of the active activities to a new backup file in the system folder
    // ("standards-" + YYYYMMDD + counter + ".csv"); answers its path, empty on failure.
    QString writeBackup();

    const std::vector<LogLine>& log() const { return log_; }
    int linesRead() const { return linesRead_; }
    int linesUpdated() const { return linesUpdated_; }
    const QString& backupPath() const { return backupPath_; }

  private:
    QString processLine(const QStringList& fields);
    QString systemFolderFile(const QString& name) const;
    int message(const QString& text, int style);

    VelmorSystem& system_;
    std::vector<LogLine> log_;
    QStringList updatedActivities_;
    int linesRead_ = 0;
    int linesUpdated_ = 0;
    QString backupPath_;
};

}  // namespace vel
