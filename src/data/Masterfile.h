#pragma once
// The system's master file of posted figures: the reports read it, the title editor writes its
// titles, the period set-up needs it alone.
#include <QDate>
#include <QString>
#include <QStringList>
#include <vector>

namespace vel {

// One period of the fiscal calendar: its name and its length, in weeks or in days by the
// calendar's type.
struct FiscalPeriod {
    QString name;
    int length = 0;
    bool operator==(const FiscalPeriod&) const = default;
};

// How the fiscal year is split into periods.
struct FiscalCalendar {
    enum Type {
        WeeksOnly = 1,        // periods of whole weeks, named freely
        MonthAndWeek = 2,     // months of whole weeks
        PeriodAndWeek = 3,    // periods of whole weeks
        CalendarMonths = 4,   // twelve periods, each its calendar month
        TwoPerMonth = 5,      // 24 periods: the 1st to the 15th, then the rest of the month
    };

    int type = PeriodAndWeek;
    int firstMonth = 1;          // the month the fiscal year starts in (types 4 and 5)
    QDate yearStart;             // the first day of the system's first fiscal year
    std::vector<FiscalPeriod> periods;

    bool lengthsInWeeks() const { return type <= PeriodAndWeek; }
    bool operator==(const FiscalCalendar&) const = default;
};

// A print sequence: a named list of accounts of one level that reports print in its order.
struct PrintSequence {
    int number = 0;
    QString name;
    bool operator==(const PrintSequence&) const = default;
};

class Masterfile {
public:
    virtual ~Masterfile() = default;

    virtual QString name() const = 0;  // shown as "Opening " + name
    // Opens the file, shared or for this program alone; false stops the caller's operation.
    virtual bool open(bool exclusive = false) = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;

    virtual QStringList titles() const = 0;
    virtual bool setTitles(const QStringList& titles) = 0;

    virtual int numberOfPeriods() const = 0;
    // First and last date of a fiscal period (1-based) of the given fiscal year.
    virtual QDate periodStart(int year, int period) const = 0;
    virtual QDate periodEnd(int year, int period) const = 0;
    virtual QDate firstDataDate() const = 0;  // the system dates: first and last posted day
    virtual QDate lastDataDate() const = 0;

    // The system's start date: the first day of its first fiscal year, as the system was made.
    virtual QDate systemStartDate() const = 0;
    // The stored fiscal calendar; a system made before calendars were stored answers the
    // calendar its periods follow (13 periods of 4 weeks, or the 12 calendar months).
    virtual FiscalCalendar fiscalCalendar() const = 0;
    // Stores the calendar; the periods and dates above follow it from then on. False when the
    // master file cannot be written (nothing is changed then).
    virtual bool setFiscalCalendar(const FiscalCalendar& calendar) = 0;
    // The line style of the system's print-outs (0: the plain style).
    virtual int lineStyle() const { return 0; }
    // The print sequences defined for an account level (1 system, 2 work center, 3 associate,
    // 4 allocation), by number.
    virtual std::vector<PrintSequence> printSequences(int level) const { return {}; }
    // One entry in the system's change log, as the editors' entries (table word, code, action).
    virtual void logChange(const QString& tableWord, const QString& code,
                           const QString& action) = 0;
};

// "Could not open the TBMASTER.1 exclusively.  You must be the only user on the system to perform
// this operation": the message when the exclusive open fails.
inline QString exclusiveOpenRefusal(const QString& masterfileName) {
    return QStringLiteral("Could not open the ") + masterfileName +
           QStringLiteral(" exclusively.  You must be the only user on the system to perform this operation");
}

}  // namespace vel
