// The rules of the fiscal calendar on their own.
#include "reports/FiscalCalendarRules.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

TEST(FiscalCalendarRules, HalvesOfFebruaryFollowLeapYears) {
    const auto leap = twoPeriodsPerMonth(QDate(2024, 2, 1));
    ASSERT_EQ(leap.size(), 24u);
    EXPECT_EQ(leap[1], (FiscalPeriod{QStringLiteral("2nd Half February"), 14}));
    EXPECT_EQ(totalLength(leap), 366);
    const auto plain = twoPeriodsPerMonth(QDate(2023, 2, 1));
    EXPECT_EQ(plain[1].length, 13);
    EXPECT_EQ(totalLength(plain), 365);
    // A year starting in March meets the February of the next year.
    EXPECT_EQ(twoPeriodsPerMonth(QDate(2023, 3, 1))[23].length, 14);
}

TEST(FiscalCalendarRules, DefaultWeekRowsAddUpTo52) {
    const auto months = defaultWeekPeriods(FiscalCalendar::MonthAndWeek, 11);
    ASSERT_EQ(months.size(), 12u);
    EXPECT_EQ(months[0].name, "November");
    EXPECT_EQ(months[2], (FiscalPeriod{QStringLiteral("January"), 5}));
    EXPECT_EQ(months[11].name, "October");
    EXPECT_EQ(totalLength(months), WeeksInFiscalYear);
    const auto periods = defaultWeekPeriods(FiscalCalendar::PeriodAndWeek, 1);
    EXPECT_EQ(periods.size(), 13u);
    EXPECT_EQ(totalLength(periods), WeeksInFiscalYear);
}

TEST(FiscalCalendarRules, LengthTexts) {
    FiscalCalendar weeks;
    weeks.type = FiscalCalendar::WeeksOnly;
    EXPECT_EQ(periodLengthText(weeks, {QString(), 1}), "1 week");
    EXPECT_EQ(periodLengthText(weeks, {QString(), 5}), "5 weeks");
    FiscalCalendar days;
    days.type = FiscalCalendar::CalendarMonths;
    EXPECT_EQ(periodLengthText(days, {QString(), 31}), "31 days");
    EXPECT_EQ(calendarTypeCaption(4), "Calendar Months with 28, 30 and 31 days");
    EXPECT_EQ(calendarTypeCaption(6), "");
}

}  // namespace
}  // namespace vel
