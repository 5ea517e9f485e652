#pragma once
// The rules of the fiscal calendar that the fiscal-periods wizard applies: the captions of the
// five calendar types, the start of the fiscal year for the month-based types, the periods of
// the month-based types and the rows the week-based types start from.
#include "data/Masterfile.h"

#include <QDate>
#include <QString>
#include <vector>

namespace vel {

// The weeks of one fiscal year; the periods of the week-based types must add up to it.
constexpr int WeeksInFiscalYear = 52;

// "January" .. "December" (month 1 to 12), in English whatever the machine's language.
QString monthName(int month);

// The caption of a calendar type (1 to 5), "Weeks Only" .. "Two periods per month".
QString calendarTypeCaption(int type);

// The first day of the fiscal year for a calendar that starts in the first month: the first day
// of that month in the year of the system's start date, moved a year back when it lies 300 days
// or more after the start date, or a year on when it lies 300 days or more before it.
QDate fiscalYearStart(int firstMonth, const QDate& systemStart);

// Twelve periods named after the months from the year's start on, each as long in days as that
// month is in the fiscal year that begins on yearStart.
std::vector<FiscalPeriod> calendarMonthPeriods(const QDate& yearStart);

// 24 periods, two per month from the year's start on: "1st Half " + month of 15 days, then
// "2nd Half " + month of the month's remaining days.
std::vector<FiscalPeriod> twoPeriodsPerMonth(const QDate& yearStart);

// The rows a week-based calendar starts from: for "Month and Week in Month" the twelve months
// from the first month on with 4, 4 and 5 weeks a quarter; otherwise 13 periods of 4 weeks named
// "Period 1" .. "Period 13".
std::vector<FiscalPeriod> defaultWeekPeriods(int type, int firstMonth);

// The name a period gets when the person leaves it empty: "Period " + its number (1-based).
QString defaultPeriodName(int number);

int totalLength(const std::vector<FiscalPeriod>& periods);

// The length as the summary shows it: "1 week", "4 weeks", "31 days".
QString periodLengthText(const FiscalCalendar& calendar, const FiscalPeriod& period);

}  // namespace vel
