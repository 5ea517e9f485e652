#pragma once
// The system's master file "TBMASTER." + system number, kept as a small text file of sections and
// "key=value" lines that a person can read:
//   [Master]      Title, DataLevel (Day, Week or Period), FirstYear, Years, Fields (the data
//                 fields allocated), Periods (12 or 13), FirstDataDate, LastDataDate,
//                 Accounts (the allocation accounts 1..n that exist; 0 when missing)
//   [Titles]      1=..., 2=...
//   [Master]      FirstYearStart: the first day of the first fiscal year (the system start date)
//   [Calendar]    Type (1 to 5), FirstMonth, YearStart, Count, Name1/Length1 ... (the periods)
//   [FiscalYears] 2024=2024/01/01 (first day of a fiscal year, where it is not the calendar's)
//   [PrintSequences] level.number=name (3.1=All Associates): the print sequences reports list;
//                 a new master file gets one of every account level
//   [Master]      LineStyle: the line style of the print-outs (0 when missing)
// Fiscal year Y is the (Y - first year + 1)th year of the system. Week calendars run 364 days a
// year from the calendar's year start; month calendars follow the months from it. Without a
// [Calendar] section, Periods 12 means the calendar months and anything else 13 four-week periods.
// Opening takes a lock on the system's lock file, shared or exclusive, so that a second
// exclusive open, or an exclusive open while others have it open, fails.
#include "data/Masterfile.h"
#include "host/SystemLockFile.h"

#include <functional>

#include <QMap>

namespace vel {

struct MasterfileSettings {
    QString title;
    QString dataLevel = QStringLiteral("Day");
    int firstYear = 0;
    int years = 2;
    int fields = 300;
    int periods = 13;
    QDate
        firstYearStart;  // the first day of the first fiscal year; 1 January of firstYear if unset
};

class ReferenceMasterfile : public Masterfile {
  public:
    ReferenceMasterfile(QString path, QString lockPath);

    // Writes a new master file; false when it exists or cannot be written.
    static bool create(const QString& path, const MasterfileSettings& settings, QString* error);

    QString name() const override;
    bool open(bool exclusive = false) override;
    void close() override;
    bool isOpen() const override { return open_; }

    QStringList titles() const override;
    bool setTitles(const QStringList& titles) override;

    int numberOfPeriods() const override;
    QDate periodStart(int year, int period) const override;
    QDate periodEnd(int year, int period) const override;
    QDate firstDataDate() const override;
    QDate lastDataDate() const override;
    QDate systemStartDate() const override;
    FiscalCalendar fiscalCalendar() const override;
    int lineStyle() const override;
    std::vector<PrintSequence> printSequences(int level) const override;
    // Replaces the print sequences of a level; false with lastError() when not written.
    bool setPrintSequences(int level, const std::vector<PrintSequence>& sequences);
    bool setFiscalCalendar(const FiscalCalendar& calendar) override;
    // Passed to the log set by setChangeLogWriter (nothing is logged without one).
    void logChange(const QString& tableWord, const QString& code, const QString& action) override;
    // Where logChange writes: the system's change log; it answers false when it could not write.
    void setChangeLogWriter(
        std::function<bool(const QString& table, const QString& code, const QString& action)>
            writer) {
        changeLogWriter_ = std::move(writer);
    }

    // The data fields allocated to the system (the size of the data-field pool).
    int allocatedFields() const;
    // The allocation accounts, read afresh from the file (another workstation may have added
    // some); 0 when the file cannot be read.
    int allocationAccounts();
    // Raises the account count to the number (never lowers it); false with lastError().
    bool addAllocationAccounts(int number);
    QString value(const QString& section, const QString& key) const;
    bool setValue(const QString& section, const QString& key, const QString& text);
    // Reads the file again; false with lastError() when it is missing or unreadable.
    bool reload();
    QString lastError() const { return lastError_; }

  private:
    QDate yearStart(int year) const;
    int firstYear() const;
    void refreshCalendar();  // after every change of the sections
    bool write();

    using Sections = QMap<QString, QMap<QString, QString>>;
    static QByteArray serialize(const Sections& sections);

    QString path_;
    SystemLockFile lock_;
    bool open_ = false;
    bool exclusive_ = false;
    Sections sections_;
    FiscalCalendar calendar_;      // follows the sections
    bool calendarStored_ = false;  // whether the file holds a [Calendar] section
    std::function<bool(const QString&, const QString&, const QString&)> changeLogWriter_;
    QString lastError_;
};

}  // namespace vel
