#pragma once
// The system's master file "TBMASTER." + system number, kept as a small text file of sections and
// "key=value" lines that a person can read:
//   [Master]      Title, DataLevel (Day, Week or Period), FirstYear, Years, Fields (the data
//                 fields allocated), Periods (12 or 13), FirstDataDate, LastDataDate,
//                 Accounts (the allocation accounts 1..n that exist; 0 when missing)
//   [Titles]      1=..., 2=...
//   [FiscalYears] 2024=2024/01/01 (first day of each fiscal year; 1 January when missing)
// Thirteen periods are four weeks each from the year's first day; twelve follow the months.
// Opening takes a lock on the system's lock file, shared or exclusive, so that a second
// exclusive open, or an exclusive open while others have it open, fails.
#include "data/Masterfile.h"
#include "host/SystemLockFile.h"

#include <QMap>

namespace vel {

struct MasterfileSettings {
    QString title;
    QString dataLevel = QStringLiteral("Day");
    int firstYear = 0;
    int years = 2;
    int fields = 300;
    int periods = 13;
    QDate firstYearStart;  // the first day of the first fiscal year; 1 January of firstYear if unset
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
    bool write();

    using Sections = QMap<QString, QMap<QString, QString>>;
    static QByteArray serialize(const Sections& sections);

    QString path_;
    SystemLockFile lock_;
    bool open_ = false;
    bool exclusive_ = false;
    Sections sections_;
    QString lastError_;
};

}  // namespace vel
