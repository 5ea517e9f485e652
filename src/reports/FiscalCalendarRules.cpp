#include "reports/FiscalCalendarRules.h"

#include <array>

namespace vel {

namespace {

// How far the month's first day may lie from the system's start date before the fiscal year is
// taken to begin in the year before or after.
constexpr int YearChangeDays = 300;
constexpr int DaysInFirstHalf = 15;

}  // namespace

QString monthName(int month) {
    static const std::array<QString, 12> names = {
        QStringLiteral("January"), QStringLiteral("February"), QStringLiteral("March"),
        QStringLiteral("April"),   QStringLiteral("May"),      QStringLiteral("June"),
        QStringLiteral("July"),    QStringLiteral("August"),   QStringLiteral("September"),
        QStringLiteral("October"), QStringLiteral("November"), QStringLiteral("December")};
    return month >= 1 && month <= 12 ? names[size_t(month - 1)] : QString();
}

QString calendarTypeCaption(int type) {
    switch (type) {
        case FiscalCalendar::WeeksOnly:
            return QStringLiteral("Weeks Only");
        case FiscalCalendar::MonthAndWeek:
            return QStringLiteral("Month and Week in Month");
        case FiscalCalendar::PeriodAndWeek:
            return QStringLiteral("Period and Week in Period");
        case FiscalCalendar::CalendarMonths:
            return QStringLiteral("Calendar Months with 28, 30 and 31 days");
        case FiscalCalendar::TwoPerMonth:
            return QStringLiteral("Two periods per month");
    }
    return {};
}

QDate fiscalYearStart(int firstMonth, const QDate& systemStart) {
    const QDate candidate(systemStart.year(), firstMonth, 1);
    const qint64 daysAfterStart = systemStart.daysTo(candidate);
    if (daysAfterStart >= YearChangeDays) {
        return candidate.addYears(-1);
    }
    if (daysAfterStart <= -YearChangeDays) {
        return candidate.addYears(1);
    }
    return candidate;
}

std::vector<FiscalPeriod> calendarMonthPeriods(const QDate& yearStart) {
    std::vector<FiscalPeriod> periods;
    for (int offset = 0; offset < 12; ++offset) {
        const QDate month = yearStart.addMonths(offset);
        periods.push_back({monthName(month.month()), month.daysInMonth()});
    }
    return periods;
}

std::vector<FiscalPeriod> twoPeriodsPerMonth(const QDate& yearStart) {
    std::vector<FiscalPeriod> periods;
    for (const FiscalPeriod& month : calendarMonthPeriods(yearStart)) {
        periods.push_back({QStringLiteral("1st Half ") + month.name, DaysInFirstHalf});
        periods.push_back(
            {QStringLiteral("2nd Half ") + month.name, month.length - DaysInFirstHalf});
    }
    return periods;
}

std::vector<FiscalPeriod> defaultWeekPeriods(int type, int firstMonth) {
    std::vector<FiscalPeriod> periods;
    if (type == FiscalCalendar::MonthAndWeek) {
        for (int offset = 0; offset < 12; ++offset) {
            const int weeks = offset % 3 == 2 ? 5 : 4;
            periods.push_back({monthName((firstMonth - 1 + offset) % 12 + 1), weeks});
        }
        return periods;
    }
    for (int number = 1; number <= 13; ++number) {
        periods.push_back({defaultPeriodName(number), 4});
    }
    return periods;
}

QString defaultPeriodName(int number) {
    return QStringLiteral("Period ") + QString::number(number);
}

int totalLength(const std::vector<FiscalPeriod>& periods) {
    int total = 0;
    for (const FiscalPeriod& period : periods) {
        total += period.length;
    }
    return total;
}

QString periodLengthText(const FiscalCalendar& calendar, const FiscalPeriod& period) {
    const QString unit =
        calendar.lengthsInWeeks() ? QStringLiteral(" week") : QStringLiteral(" day");
    return QString::number(period.length) + unit +
           (period.length == 1 ? QString() : QStringLiteral("s"));
}

}  // namespace vel
