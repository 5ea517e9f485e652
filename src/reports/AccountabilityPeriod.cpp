#include "reports/AccountabilityPeriod.h"

#include "data/FiscalCalendarObject.h"
#include "reports/AccountabilitySettings.h"
#include "reports/ReportFormat.h"
#include "services/NumberFormat.h"

namespace vel {

namespace {

FiscalSpan spanOf(int length, const QDate& date, const FiscalCalendarObject& calendar) {
    switch (length) {
        case MonthlyReport:
            return calendar.period(date);
        case QuarterlyReport:
            return calendar.quarter(date);
        default:
            return FiscalCalendarObject::week(date);
    }
}

// The longest list the report offers: about two years of weeks.
constexpr int maximumEntries = 105;

}  // namespace

QString AccountabilityPeriod::dateLine() const {
    switch (length) {
        case MonthlyReport:
            return QStringLiteral("Month Ending: ") + longDateText(last);
        case QuarterlyReport:
            return QStringLiteral("Quarter Ending: ") + longDateText(last);
        default:
            return QStringLiteral("Week Ending: ") + longDateText(last);
    }
}

QString AccountabilityPeriod::rampUpLine() const {
    return QStringLiteral("Ramp Up Period: ") + longDateText(rampUpFirst) + QStringLiteral(" to ") +
           longDateText(rampUpLast);
}

AccountabilityPeriod accountabilityPeriod(int length, const QDate& date,
                                          const FiscalCalendarObject& calendar,
                                          const AccountabilitySettings& settings) {
    AccountabilityPeriod period;
    period.length = length;
    const FiscalSpan span = spanOf(length, date, calendar);
    period.last = span.last;
    // The week's first day is its ending less six days; a fiscal month or quarter starts the
    // day after its start boundary, which the calendar gives as the span's first day.
    period.first = length == WeeklyReport ? span.last.addDays(-6) : span.first;
    const QDate endMark = period.first;
    const int weeks = std::max(settings.rampUpWeeks, 0);
    const int clearWeeks = std::max(settings.rampUpClearWeeks, 0);
    period.rampUpFirst = endMark.addDays(-7LL * weeks);
    period.rampUpLast = endMark.addDays(-1);
    period.rampUpCountedLast = period.rampUpLast.addDays(-7LL * clearWeeks);
    return period;
}

std::vector<CalendarEntry> BuildDateList(int length, const FiscalCalendarObject& calendar,
                                         const QDate& first, const QDate& last) {
    std::vector<CalendarEntry> entries;
    if (!first.isValid() || !last.isValid() || last < first) {
        return entries;
    }
    QDate date = last;
    while (date >= first && int(entries.size()) < maximumEntries) {
        const FiscalSpan span = spanOf(length, date, calendar);
        if (!span.last.isValid()) {
            break;
        }
        const QString ending = longDateText(span.last);
        switch (length) {
            case MonthlyReport:
                entries.push_back({QStringLiteral("Fiscal Month: ") + calendar.periodName(date) +
                                       QStringLiteral(" - Ending: ") + ending,
                                   span.last});
                break;
            case QuarterlyReport:
                entries.push_back({QStringLiteral("Quarter Number: ") +
                                       QString::number(span.number) + QStringLiteral(" of ") +
                                       QString::number(span.fiscalYear) +
                                       QStringLiteral(" - Ending: ") + ending,
                                   span.last});
                break;
            default:
                entries.push_back({QStringLiteral("Week Ending: ") + ending, span.last});
                break;
        }
        date = span.first.addDays(-1);
    }
    return entries;
}

QString calendarHeading(int length) {
    switch (length) {
        case MonthlyReport:
            return QStringLiteral("Month");
        case QuarterlyReport:
            return QStringLiteral("Quarter");
        default:
            return QStringLiteral("Week");
    }
}

}  // namespace vel
