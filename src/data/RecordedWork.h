#pragma once
// The recorded work of a system (the Tallybooks): the production-sheet lines, their figures
// posted per account and day, and the weekly sums of the short- and long-term history. Reports
// and exports read every figure through this interface and never open the host's files.
//
// Words used below:
// - total hours: every hour recorded; measured hours: hours on activities with an earned-hours
//   method (1 to 6); earned hours: units x standard minutes per unit / 60, summed over the
//   line's elements; performance = earned / measured hours (0 when nothing was measured).
// - an account: the system (number 1), a work center, an associate or an allocation, by record
//   number.
// - date ranges are inclusive at both ends.
#include "data/records/ProductionLineRecord.h"

#include <QDate>
#include <QList>
#include <functional>
#include <vector>

namespace vel {

class FiscalCalendarObject;

enum class AccountLevel { System = 1, WorkCenter = 2, Associate = 3, Allocation = 4 };

// Sums of recorded work. Quality figures come from the lines of activities whose type of work
// tracks quality.
struct WorkFigures {
    double totalHours = 0.0;
    double measuredHours = 0.0;
    double earnedHours = 0.0;
    double cost = 0.0;
    double units = 0.0;              // units of the elements that count in the activity's total
    double auditableUnits = 0.0;     // units of activities whose type of work tracks quality
    double auditedUnits = 0.0;
    double audits = 0.0;             // lines with audited units
    double catchFailedUnits = 0.0;
    double checkFailedUnits = 0.0;
    double auditFailedUnits = 0.0;
    double accuracyBaseUnits = 0.0;  // auditable units that were checked or audited
    double failureHours = 0.0;       // failed units x the type of work's hours per failure
    double failureCost = 0.0;        // failed units x the type of work's cost per failure

    WorkFigures& operator+=(const WorkFigures& other);
    bool isZero() const;
    bool operator==(const WorkFigures&) const = default;
};

// Which work counts: every activity, one activity, or the activities of one type of work; with
// ppaOnly, only activities included in the performance policy's calculations.
struct WorkSelection {
    int activity = 0;    // activity record number; 0: not limited to one activity
    int typeOfWork = 0;  // type-of-work record number; 0: not limited to one type of work
    bool ppaOnly = false;
};

// The figures of one account (and, when asked per activity, one activity) over a date range.
struct AccountFigures {
    int account = 0;
    int activity = 0;  // 0 when the figures cover every selected activity
    WorkFigures figures;
    bool operator==(const AccountFigures&) const = default;
};

// The data points a time series is cut into.
enum class DataGrain { Day = 1, Week = 2, Period = 3 };

// One data point of a time series: the point's last day and the values of the asked data fields
// (in the order asked).
struct DataPoint {
    QDate ending;
    std::vector<double> values;
};

// The weeks of the history, as the settings give them; each history ends on the last week end.
struct HistoryRange {
    int weeks = 0;
    QDate first;
    QDate last;
    bool isEmpty() const { return weeks <= 0 || !last.isValid(); }
};

class RecordedWork {
public:
    virtual ~RecordedWork() = default;

    // --- Facts -----------------------------------------------------------------------------
    // Calls the visitor for every line dated within the range, by date, then by the order the
    // lines were recorded in; stops when the visitor answers false. False when the lines could
    // not be read (the reason goes to the error reporter).
    virtual bool forEachLine(const QDate& from, const QDate& to,
                             const std::function<bool(const ProductionLineRecord&)>& visit) = 0;
    // Records lines and posts them; all or nothing. False when they could not be written.
    virtual bool addLines(const std::vector<ProductionLineRecord>& lines) = 0;
    // The standard minutes per unit of an element of an activity on an allocation (0: none),
    // as a line recorded now would carry them.
    virtual double standardMinutes(int activity, int allocation, int element) = 0;

    // --- Posted figures --------------------------------------------------------------------
    // The figures of every account of a level that has recorded work in the range, ascending by
    // account (and activity, when perActivity). Answers from the stored sums.
    virtual std::vector<AccountFigures> figures(AccountLevel level, const QDate& from,
                                                const QDate& to, const WorkSelection& selection,
                                                bool perActivity) = 0;
    // The values of data fields (numbers of the data-field pool) of one account as a time
    // series over the range; points without data are left out.
    virtual std::vector<DataPoint> dataFieldSeries(AccountLevel level, int account,
                                                   const QList<int>& fields, const QDate& from,
                                                   const QDate& to, DataGrain grain) = 0;

    // --- History ---------------------------------------------------------------------------
    virtual HistoryRange shortTermHistory() = 0;
    virtual HistoryRange longTermHistory() = 0;
    // Posts every line again from the facts (after the history weeks, the standards or the
    // data fields changed), showing its progress on the status display. False when it failed;
    // the stored figures are then as they were.
    virtual bool recalculate() = 0;

    // The first and last day with recorded work (invalid when there is none).
    virtual QDate firstDate() = 0;
    virtual QDate lastDate() = 0;

    virtual const FiscalCalendarObject& fiscalCalendar() = 0;
};

}  // namespace vel
