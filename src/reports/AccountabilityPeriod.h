#pragma once
// The stretches of time of the accountability report. The report covers one week (length 2),
// fiscal month (3) or fiscal quarter (4). Its ramp-up period is the 7 x ramp-up weeks days
// right before the report period's first day; of it, the last "clear" weeks do not count
// towards being ramped up, so that the work just before the report period never makes an
// associate accountable on its own (see docs/reports.md).
#include <QDate>
#include <QString>
#include <vector>

namespace vel {

class FiscalCalendarObject;
struct AccountabilitySettings;

enum AccountabilityLength { WeeklyReport = 2, MonthlyReport = 3, QuarterlyReport = 4 };

struct AccountabilityPeriod {
    int length = WeeklyReport;
    QDate first;  // the report period
    QDate last;
    QDate rampUpFirst;  // the whole ramp-up period, as the heading prints it
    QDate rampUpLast;
    QDate rampUpCountedLast;  // the last day whose work counts (before the clear weeks)

    // True when some days of the ramp-up period count.
    bool rampUpCounts() const { return rampUpCountedLast >= rampUpFirst; }
    // "Week Ending: " / "Month Ending: " / "Quarter Ending: " and the last day ("Long Date").
    QString dateLine() const;
    // "Ramp Up Period: " first " to " last, both "Long Date".
    QString rampUpLine() const;
};

// The period of the length that holds the date, with its ramp-up period.
AccountabilityPeriod accountabilityPeriod(int length, const QDate& date,
                                          const FiscalCalendarObject& calendar,
                                          const AccountabilitySettings& settings);

// One entry of the report's date list: what it shows and the last day of its period.
struct CalendarEntry {
    QString text;
    QDate ending;
};

// The periods of the length from the one holding `first` to the one holding `last`, latest
// first: "Week Ending: " + date, "Fiscal Month: " + name + " - Ending: " + date,
// "Quarter Number: " + number + " of " + year + " - Ending: " + date (dates "Long Date").
std::vector<CalendarEntry> BuildDateList(int length, const FiscalCalendarObject& calendar,
                                         const QDate& first, const QDate& last);
// The heading of the date list: "Week", "Month" or "Quarter".
QString calendarHeading(int length);

}  // namespace vel
