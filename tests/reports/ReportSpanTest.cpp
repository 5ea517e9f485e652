// The report lengths' ranges and texts over a stored fiscal calendar of 13 four-week periods
// from Monday 2024/01/01, and of the twelve calendar months.
#include "data/FiscalCalendarObject.h"
#include "reports/FiscalCalendarRules.h"
#include "reports/PeriodSite.h"
#include "reports/ReportSpan.h"

#include <gtest/gtest.h>

namespace vel::testing {
namespace {

struct RangeSite : PeriodSite {
    explicit RangeSite(bool months = false) : PeriodSite(QDate(2024, 1, 1)) {
        FiscalCalendar stored;
        stored.type = months ? FiscalCalendar::CalendarMonths : FiscalCalendar::PeriodAndWeek;
        stored.yearStart = QDate(2024, 1, 1);
        stored.periods = months ? calendarMonthPeriods(stored.yearStart)
                                : defaultWeekPeriods(FiscalCalendar::PeriodAndWeek, 1);
        EXPECT_TRUE(masterfile->setFiscalCalendar(stored));
        calendar = std::make_unique<FiscalCalendarObject>(*masterfile);
    }
    ReportSpan range(int length, const QDate& beginning = {},
                      RangeUnit unit = RangeUnit::Days) const {
        return ReportSpan({length, QDate(2024, 3, 20), beginning, unit}, *calendar);
    }
    std::unique_ptr<FiscalCalendarObject> calendar;
};

TEST(ReportSpan, EveryLengthDescribesItsRangeAndHeadsItsColumn) {
    RangeSite site;
    struct Case {
        int length;
        QDate first;
        const char* description;
        const char* heading;
    };
    const Case cases[] = {
        {LengthDay, QDate(2024, 3, 20), "Day: Wednesday, March 20, 2024", "Day"},
        {LengthWeek, QDate(2024, 3, 14), "Week Ending: Wednesday, March 20, 2024", "Week Ending"},
        {LengthPeriod, QDate(2024, 2, 26),
         "Fiscal Month: Period 3 - Ending: Wednesday, March 20, 2024", "Fiscal Month Ending: "},
        {LengthQuarter, QDate(2024, 1, 1),
         "First Quarter of 2024 - Ending: Wednesday, March 20, 2024", "First Quarter 2024 Ending"},
        {LengthHalf, QDate(2024, 1, 1), "First Half of 2024 - Ending: Wednesday, March 20, 2024",
         "First Half 2024 Ending"},
        {LengthYear, QDate(2024, 1, 1), "Year 2024 - Ending: Wednesday, March 20, 2024",
         "Year 2024 Ending"},
        {LengthAllYears, QDate(2024, 1, 1),
         "All Years:Monday, January 1, 2024 to Wednesday, March 20, 2024", "All Years Ending"},
    };
    for (const Case& expected : cases) {
        const ReportSpan range = site.range(expected.length);
        EXPECT_EQ(range.first(), expected.first) << expected.length;
        EXPECT_EQ(range.last(), QDate(2024, 3, 20));
        EXPECT_EQ(range.description(), QLatin1String(expected.description));
        EXPECT_EQ(range.columnHeading(), QLatin1String(expected.heading));
    }
    // Later in the year: the fourth quarter holds four periods, the second half seven.
    const ReportSpan late({LengthQuarter, QDate(2024, 12, 1), {}, RangeUnit::Days},
                           *site.calendar);
    EXPECT_EQ(late.first(), QDate(2024, 9, 9));
    EXPECT_EQ(late.columnHeading(), "Fourth Quarter 2024 Ending");
    const ReportSpan half({LengthHalf, QDate(2024, 6, 17), {}, RangeUnit::Days}, *site.calendar);
    EXPECT_EQ(half.description(), "Second Half of 2024 - Ending: Monday, June 17, 2024");
}

TEST(ReportSpan, CustomRangesCountInDaysWeeksOrFiscalMonths) {
    RangeSite site;
    const ReportSpan days = site.range(LengthCustom, QDate(2024, 3, 1));
    EXPECT_EQ(days.first(), QDate(2024, 3, 1));
    EXPECT_EQ(days.description(), "Days: Friday, March 1, 2024 to Wednesday, March 20, 2024");
    EXPECT_EQ(days.columnHeading(), "Range Ending");
    // Weeks end on the ending date's weekday; the first is the one holding the beginning.
    const ReportSpan weeks = site.range(LengthCustom, QDate(2024, 3, 1), RangeUnit::Weeks);
    EXPECT_EQ(weeks.first(), QDate(2024, 2, 29));
    EXPECT_EQ(weeks.description(),
              "Weeks Ending: Wednesday, March 6, 2024 to Wednesday, March 20, 2024");
    const ReportSpan months = site.range(LengthCustom, QDate(2024, 2, 1), RangeUnit::FiscalMonths);
    EXPECT_EQ(months.first(), QDate(2024, 1, 29));
    EXPECT_EQ(months.description(),
              "Fiscal Months Ending: Sunday, February 25, 2024 to Wednesday, March 20, 2024");
}

TEST(ReportSpan, MonthCalendarsNameTheirMonths) {
    RangeSite site(true);
    EXPECT_EQ(site.range(LengthPeriod).description(),
              "Fiscal Month: March - Ending: Wednesday, March 20, 2024");
    EXPECT_EQ(site.range(LengthPeriod).first(), QDate(2024, 3, 1));
    EXPECT_EQ(site.range(LengthHalf).first(), QDate(2024, 1, 1));
    EXPECT_EQ(lengthCaption(LengthPeriod, 12), "&Month");
    EXPECT_EQ(lengthCaption(LengthPeriod, 13), "&Period");
    EXPECT_EQ(lengthCaption(LengthPeriod, 24), "&Period");
    EXPECT_EQ(lengthCaption(LengthAllYears, 12), "&All Years in System");
    EXPECT_EQ(ordinalWord(4), "Fourth");
    EXPECT_EQ(ordinalWord(5), "");
}

}  // namespace
}  // namespace vel::testing
