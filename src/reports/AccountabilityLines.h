#pragma once
// The figures of the accountability report: per associate and activity the units and hours of
// the report period beside the hours of the ramp-up period, whether the associate is ramped up
// on the activity, and the totals per associate, group and report.
//
// Rules (see docs/reports.md):
// - an associate is ramped up on an activity when the measured hours on it in the counted part
//   of the ramp-up period reach the ramp-up hours;
// - accountable earned and measured hours are the period's hours of the activities the
//   associate is ramped up on; accountable performance is their ratio, total performance the
//   ratio of all the period's hours (0 when nothing was measured);
// - an associate whose measured hours in the period stay below the length's minimum hours has
//   no accountable performance: the total line prints "0.00" there.
#include "data/RecordedWork.h"
#include "reports/AccountabilityPeriod.h"
#include "reports/ReportFormat.h"
#include "reports/ReportGrouping.h"
#include "services/YesNo.h"

#include <QString>
#include <vector>

namespace vel {

class VelmorSystem;

struct AccountabilitySettings;

// The sums a line, an associate, a group or the report carries.
struct AccountabilitySums {
    WorkFigures period;
    double accountableEarned = 0.0;
    double accountableMeasured = 0.0;
    double rampUpEarned = 0.0;
    double rampUpMeasured = 0.0;

    AccountabilitySums& operator+=(const AccountabilitySums& other);
    double accountablePerformance() const {
        return performanceRatio(accountableEarned, accountableMeasured);
    }
    double totalPerformance() const {
        return performanceRatio(period.earnedHours, period.measuredHours);
    }
    double rampUpPerformance() const { return performanceRatio(rampUpEarned, rampUpMeasured); }
    // The share of the audited units that passed the audit (0 when none were audited).
    double quality() const {
        return safeDivide(period.auditedUnits - period.auditFailedUnits, period.auditedUnits);
    }
};

struct AccountabilityLine {
    int activity = 0;
    QString activityCode;
    QString activityName;
    bool inPPA = false;  // the activity counts in the performance policy's calculations
    bool rampedUp = false;
    AccountabilitySums sums;
};

struct AccountabilityAssociate {
    int number = 0;
    QString code;
    QString name;            // "Last, First"
    QString homeWorkCenter;  // descriptions; empty when none
    QString grouping;
    std::vector<AccountabilityLine> lines;  // by activity code
    AccountabilitySums total;
    // Below the minimum measured hours of the length: no accountable performance.
    bool belowMinimum = false;
};

struct AccountabilityGroup {
    QString heading;  // "Home Work Center: ...", "No Primary Grouping", "All Associates"
    std::vector<AccountabilityAssociate> associates;
    AccountabilitySums total;
};

// The sort of associates inside a group (the optType index).
enum class AccountabilitySort { Name = 0, PeriodPerformance = 1, RampUpPerformance = 2 };

struct AccountabilityReport {
    AccountabilityPeriod period;
    ReportGrouping grouping = ReportGrouping::None;
    AccountabilitySort sort = AccountabilitySort::Name;
    std::vector<AccountabilityGroup> groups;  // by heading, the "No ..." group last
    AccountabilitySums total;

    // "Sorted by This Week's Performance" (the length's word), "Sorted by Ramp Up Period's
    // Performance" or "Sorted by Name".
    QString sortLine() const;
};

// Reads the recorded work of the period and the ramp-up period and builds the report. Opens the
// master tables it needs when they are not open; throws when one cannot be opened ("Cannot open
// the ... table.").
AccountabilityReport buildAccountabilityReport(VelmorSystem& system,
                                               const AccountabilityPeriod& period,
                                               const AccountabilitySettings& settings,
                                               ReportGrouping grouping, AccountabilitySort sort);

}  // namespace vel
