#pragma once
// The stretch of time a report covers, as the report dialog offers it: the eight report
// lengths, their captions, the first and last day of the chosen range and the texts that
// describe it (the report heading) and head one column of it.
//
// Every range ends on the chosen (current) date and begins on the first day of the day, week,
// fiscal period, quarter, half or year that holds it: a report "ending" on a date covers its
// span up to that date. A week is the seven days ending on the date. "All Years" begins on the
// system's first date. A custom range runs from the beginning date to the ending date, in
// whole units: in days as chosen; in weeks, from the week that ends on the ending date's
// weekday and holds the beginning date; in fiscal months, from the first day of the period
// that holds the beginning date.
#include <QDate>
#include <QString>

namespace vel {

class FiscalCalendarObject;

enum ReportLength {
    LengthDay = 1,
    LengthWeek = 2,
    LengthPeriod = 3,
    LengthQuarter = 4,
    LengthHalf = 5,
    LengthYear = 6,
    LengthCustom = 7,
    LengthAllYears = 8,
};
constexpr int FirstReportLength = LengthDay;
constexpr int LastReportLength = LengthAllYears;

// How a custom range is counted.
enum class RangeUnit { Days = 1, Weeks = 2, FiscalMonths = 3 };

// The caption of a length option, with its "&": code 3 reads "&Month" when the fiscal year has
// 12 periods, else "&Period".
QString lengthCaption(int length, int periodsInYear);
// "First" .. "Fourth" (1 to 4), for quarters and halves.
QString ordinalWord(int number);

struct RangeChoice {
    int length = LengthWeek;
    QDate ending;
    QDate beginning;  // custom ranges only
    RangeUnit unit = RangeUnit::Days;
};

class ReportSpan {
  public:
    ReportSpan(const RangeChoice& choice, const FiscalCalendarObject& calendar);

    QDate first() const;
    QDate last() const { return choice_.ending; }
    // The heading that describes the range ("Week Ending: Sunday, December 6, 2026").
    QString description() const;
    // The heading of one column of this length ("Week Ending", "Second Quarter 2026 Ending").
    QString columnHeading() const;
    // The texts beside the two calendars: the beginning as the range counts it, and the end.
    QString beginningText() const;
    QString endingText() const;

  private:
    QDate customFirstWeekEnding() const;

    RangeChoice choice_;
    const FiscalCalendarObject& calendar_;
};

}  // namespace vel
