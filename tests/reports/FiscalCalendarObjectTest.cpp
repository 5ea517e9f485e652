// The fiscal-calendar object over a master file on a temporary folder: periods, quarters,
// halves and years of dates, for the week-based and the month-based calendars.
#include "data/FiscalCalendarObject.h"
#include "reports/FiscalCalendarRules.h"
#include "reports/PeriodSite.h"

#include <gtest/gtest.h>

namespace vel::testing {
namespace {

FiscalSpan span(int year, int number, const QDate& first, const QDate& last) {
    return {year, number, first, last};
}

// A site whose stored calendar is the one given, starting on the system's start date.
struct CalendarSite : PeriodSite {
    CalendarSite(const QDate& start, int type, std::vector<FiscalPeriod> periods)
        : PeriodSite(start) {
        FiscalCalendar calendar;
        calendar.type = type;
        calendar.firstMonth = start.month();
        calendar.yearStart = start;
        calendar.periods = std::move(periods);
        EXPECT_TRUE(masterfile->setFiscalCalendar(calendar));
    }
};

TEST(FiscalCalendarObject, ThirteenFourWeekPeriodsCountInPeriods) {
    // 2024/01/01 is a Monday: period 1 runs to 01/28, period 13 ends on 12/29, the next
    // fiscal year starts 364 days on.
    CalendarSite site(QDate(2024, 1, 1), FiscalCalendar::PeriodAndWeek,
                      defaultWeekPeriods(FiscalCalendar::PeriodAndWeek, 1));
    const FiscalCalendarObject calendar(*site.masterfile);
    EXPECT_EQ(calendar.numberOfPeriods(), 13);
    EXPECT_EQ(calendar.periodWord(), "Period");
    EXPECT_EQ(calendar.period(QDate(2024, 1, 28)),
              span(2024, 1, QDate(2024, 1, 1), QDate(2024, 1, 28)));
    EXPECT_EQ(calendar.period(QDate(2024, 1, 29)).number, 2);
    EXPECT_EQ(calendar.periodName(QDate(2024, 3, 1)), "Period 3");
    EXPECT_EQ(calendar.year(QDate(2024, 12, 29)),
              span(2024, 2024, QDate(2024, 1, 1), QDate(2024, 12, 29)));
    // The last two days of the calendar year belong to the next fiscal year.
    EXPECT_EQ(calendar.period(QDate(2024, 12, 30)),
              span(2025, 1, QDate(2024, 12, 30), QDate(2025, 1, 26)));
    // Quarters of 3, 3, 3 and 4 periods; halves of 6 and 7.
    EXPECT_EQ(calendar.quarter(QDate(2024, 3, 24)),
              span(2024, 1, QDate(2024, 1, 1), QDate(2024, 3, 24)));
    EXPECT_EQ(calendar.quarter(QDate(2024, 3, 25)).number, 2);
    EXPECT_EQ(calendar.quarter(QDate(2024, 9, 30)),
              span(2024, 4, QDate(2024, 9, 9), QDate(2024, 12, 29)));
    EXPECT_EQ(calendar.half(QDate(2024, 6, 16)),
              span(2024, 1, QDate(2024, 1, 1), QDate(2024, 6, 16)));
    EXPECT_EQ(calendar.half(QDate(2024, 6, 17)),
              span(2024, 2, QDate(2024, 6, 17), QDate(2024, 12, 29)));
    EXPECT_EQ(calendar.systemFirstDate(), QDate(2024, 1, 1));
}

TEST(FiscalCalendarObject, TwelveCalendarMonthsCountInMonths) {
    CalendarSite site(QDate(2023, 7, 1), FiscalCalendar::CalendarMonths,
                      calendarMonthPeriods(QDate(2023, 7, 1)));
    const FiscalCalendarObject calendar(*site.masterfile);
    EXPECT_EQ(calendar.periodWord(), "Month");
    EXPECT_EQ(calendar.period(QDate(2024, 2, 29)),
              span(2023, 8, QDate(2024, 2, 1), QDate(2024, 2, 29)));
    EXPECT_EQ(calendar.periodName(QDate(2024, 2, 29)), "February");
    EXPECT_EQ(calendar.year(QDate(2024, 6, 30)),
              span(2023, 2023, QDate(2023, 7, 1), QDate(2024, 6, 30)));
    EXPECT_EQ(calendar.year(QDate(2024, 7, 1)).fiscalYear, 2024);
    // Four quarters of three months, two halves of six.
    EXPECT_EQ(calendar.quarter(QDate(2023, 11, 15)),
              span(2023, 2, QDate(2023, 10, 1), QDate(2023, 12, 31)));
    EXPECT_EQ(calendar.quarter(QDate(2024, 6, 30)),
              span(2023, 4, QDate(2024, 4, 1), QDate(2024, 6, 30)));
    EXPECT_EQ(calendar.half(QDate(2024, 1, 1)),
              span(2023, 2, QDate(2024, 1, 1), QDate(2024, 6, 30)));
}

TEST(FiscalCalendarObject, TwoPeriodsPerMonthSplitFebruaryOfAPlainYearIntoFifteenAndThirteen) {
    CalendarSite site(QDate(2023, 2, 1), FiscalCalendar::TwoPerMonth,
                      twoPeriodsPerMonth(QDate(2023, 2, 1)));
    const FiscalCalendarObject calendar(*site.masterfile);
    EXPECT_EQ(calendar.numberOfPeriods(), 24);
    EXPECT_EQ(calendar.periodWord(), "Period");
    const FiscalSpan first = calendar.period(QDate(2023, 2, 10));
    EXPECT_EQ(first, span(2023, 1, QDate(2023, 2, 1), QDate(2023, 2, 15)));
    EXPECT_EQ(first.first.daysTo(first.last) + 1, 15);
    const FiscalSpan second = calendar.period(QDate(2023, 2, 16));
    EXPECT_EQ(second, span(2023, 2, QDate(2023, 2, 16), QDate(2023, 2, 28)));
    EXPECT_EQ(second.first.daysTo(second.last) + 1, 13);
    EXPECT_EQ(calendar.periodName(QDate(2023, 2, 28)), "2nd Half February");
    EXPECT_EQ(calendar.period(QDate(2023, 3, 1)).number, 3);
    // The next February is a leap one; it belongs to the second fiscal year's first periods.
    EXPECT_EQ(calendar.period(QDate(2024, 2, 29)),
              span(2024, 2, QDate(2024, 2, 16), QDate(2024, 2, 29)));
    EXPECT_EQ(calendar.quarter(QDate(2023, 4, 30)),
              span(2023, 1, QDate(2023, 2, 1), QDate(2023, 4, 30)));
}

TEST(FiscalCalendarObject, DatesBeforeTheFirstYearAndFarAfterItFollowTheCalendar) {
    CalendarSite weeks(QDate(2024, 1, 1), FiscalCalendar::PeriodAndWeek,
                       defaultWeekPeriods(FiscalCalendar::PeriodAndWeek, 1));
    const FiscalCalendarObject calendar(*weeks.masterfile);
    // The year before the first one ends the day before the system starts.
    EXPECT_EQ(calendar.year(QDate(2023, 12, 31)),
              span(2023, 2023, QDate(2023, 1, 2), QDate(2023, 12, 31)));
    EXPECT_EQ(calendar.period(QDate(2023, 1, 1)).fiscalYear, 2022);
    // Thirty years of 364 days on, fiscal year 2054 starts 38 days before the calendar year.
    const FiscalSpan later = calendar.year(QDate(2054, 1, 1));
    EXPECT_EQ(later, span(2054, 2054, QDate(2053, 11, 24), QDate(2054, 11, 22)));
    EXPECT_EQ(calendar.period(QDate(2054, 11, 22)).number, 13);
    EXPECT_EQ(calendar.period(QDate(2054, 11, 23)),
              span(2055, 1, QDate(2054, 11, 23), QDate(2054, 12, 20)));

    CalendarSite months(QDate(2023, 7, 1), FiscalCalendar::CalendarMonths,
                        calendarMonthPeriods(QDate(2023, 7, 1)));
    const FiscalCalendarObject monthly(*months.masterfile);
    EXPECT_EQ(monthly.period(QDate(2020, 1, 5)),
              span(2019, 7, QDate(2020, 1, 1), QDate(2020, 1, 31)));
    EXPECT_EQ(monthly.quarter(QDate(2099, 12, 31)),
              span(2099, 2, QDate(2099, 10, 1), QDate(2099, 12, 31)));
    EXPECT_FALSE(monthly.period(QDate()).isValid());
}

TEST(FiscalCalendarObject, WeeksRunMondayToSunday) {
    EXPECT_EQ(FiscalCalendarObject::week(QDate(2026, 12, 6)),
              span(2026, 49, QDate(2026, 11, 30), QDate(2026, 12, 6)));
    EXPECT_EQ(FiscalCalendarObject::week(QDate(2027, 1, 1)),
              span(2026, 53, QDate(2026, 12, 28), QDate(2027, 1, 3)));
}

}  // namespace
}  // namespace vel::testing
