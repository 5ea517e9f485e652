#pragma once
// The fiscal calendar of a system as the reports count in it: for a date its fiscal year, period,
// quarter and half, with the first and last day of each, and the name of the period. Built over
// the master file's stored calendar (the fiscal-periods wizard writes it). A year's periods are
// split into quarters and halves as evenly as whole periods allow, the longer quarters last
// (13 periods: 3, 3, 3, 4).
#include <QDate>
#include <QString>

namespace vel {

class Masterfile;

// A span of the fiscal calendar: which one (1-based within the fiscal year; for a fiscal year
// its number again) and its days.
struct FiscalSpan {
    int fiscalYear = 0;
    int number = 0;
    QDate first;
    QDate last;
    bool isValid() const { return number > 0 && first.isValid(); }
    bool operator==(const FiscalSpan&) const = default;
};

class FiscalCalendarObject {
  public:
    explicit FiscalCalendarObject(const Masterfile& masterfile);

    int numberOfPeriods() const;
    // "Month" when the year has 12 periods, else "Period".
    QString periodWord() const;
    // The fiscal year holding the date, numbered as the master file numbers its years (the
    // calendar year the system's first fiscal year starts in, counted on from there); dates
    // before the first year or after the last stored one follow the calendar's rule.
    FiscalSpan year(const QDate& date) const;
    FiscalSpan period(const QDate& date) const;
    FiscalSpan quarter(const QDate& date) const;
    FiscalSpan half(const QDate& date) const;
    QString periodName(const QDate& date) const;
    // The week (Monday to Sunday) holding the date; its number and year are the ISO week's.
    static FiscalSpan week(const QDate& date);
    // The system's first date: the first day of its first fiscal year.
    QDate systemFirstDate() const;

  private:
    // The quarter or half (parts 4 or 2) of the fiscal year holding the date.
    FiscalSpan group(const QDate& date, int parts) const;

    const Masterfile& masterfile_;
};

}  // namespace vel
