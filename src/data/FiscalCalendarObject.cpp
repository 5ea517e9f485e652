#include "data/FiscalCalendarObject.h"

#include "data/Masterfile.h"

namespace vel {

namespace {

constexpr int QuartersInYear = 4;
constexpr int HalvesInYear = 2;
// How many years a search for the fiscal year of a date may step; a date further than this
// from its calendar year's fiscal year is outside any calendar a system keeps.
constexpr int YearSearchLimit = 50;

// Splits the periods of a year into parts as evenly as whole periods allow, the longer parts
// last: the 1-based part holding the period and the first and last period of that part.
struct PeriodGroup {
    int number = 0;
    int firstPeriod = 0;
    int lastPeriod = 0;
};

PeriodGroup groupOf(int period, int periods, int parts) {
    const int base = periods / parts;
    const int longer = periods % parts;  // the last `longer` parts hold one period more
    const int shorterParts = parts - longer;
    int first = 1;
    for (int part = 1; part <= parts; ++part) {
        const int size = part <= shorterParts ? base : base + 1;
        if (period < first + size || part == parts) {
            return {part, first, first + size - 1};
        }
        first += size;
    }
    return {};
}

}  // namespace

FiscalCalendarObject::FiscalCalendarObject(const Masterfile& masterfile)
    : masterfile_(masterfile) {}

int FiscalCalendarObject::numberOfPeriods() const {
    return masterfile_.numberOfPeriods();
}

QString FiscalCalendarObject::periodWord() const {
    return numberOfPeriods() == 12 ? QStringLiteral("Month") : QStringLiteral("Period");
}

FiscalSpan FiscalCalendarObject::year(const QDate& date) const {
    const int periods = numberOfPeriods();
    if (!date.isValid() || periods <= 0) {
        return {};
    }
    int number = date.year();
    for (int step = 0; step < YearSearchLimit; ++step) {
        const QDate first = masterfile_.periodStart(number, 1);
        const QDate last = masterfile_.periodEnd(number, periods);
        if (!first.isValid() || !last.isValid()) {
            return {};
        }
        if (date < first) {
            --number;
        } else if (date > last) {
            ++number;
        } else {
            return {number, number, first, last};
        }
    }
    return {};
}

FiscalSpan FiscalCalendarObject::period(const QDate& date) const {
    const FiscalSpan fiscalYear = year(date);
    if (!fiscalYear.isValid()) {
        return {};
    }
    const int periods = numberOfPeriods();
    for (int number = 1; number <= periods; ++number) {
        const QDate last = masterfile_.periodEnd(fiscalYear.fiscalYear, number);
        if (date <= last) {
            return {fiscalYear.fiscalYear, number,
                    masterfile_.periodStart(fiscalYear.fiscalYear, number), last};
        }
    }
    return {};
}

FiscalSpan FiscalCalendarObject::quarter(const QDate& date) const {
    return group(date, QuartersInYear);
}

FiscalSpan FiscalCalendarObject::half(const QDate& date) const {
    return group(date, HalvesInYear);
}

FiscalSpan FiscalCalendarObject::group(const QDate& date, int parts) const {
    const FiscalSpan within = period(date);
    if (!within.isValid()) {
        return {};
    }
    const PeriodGroup part = groupOf(within.number, numberOfPeriods(), parts);
    return {within.fiscalYear, part.number,
            masterfile_.periodStart(within.fiscalYear, part.firstPeriod),
            masterfile_.periodEnd(within.fiscalYear, part.lastPeriod)};
}

QString FiscalCalendarObject::periodName(const QDate& date) const {
    const FiscalSpan within = period(date);
    if (!within.isValid()) {
        return {};
    }
    const FiscalCalendar calendar = masterfile_.fiscalCalendar();
    const size_t index = size_t(within.number - 1);
    return index < calendar.periods.size() ? calendar.periods[index].name : QString();
}

FiscalSpan FiscalCalendarObject::week(const QDate& date) {
    if (!date.isValid()) {
        return {};
    }
    int weekYear = 0;
    const int number = date.weekNumber(&weekYear);
    const QDate monday = date.addDays(1 - date.dayOfWeek());
    return {weekYear, number, monday, monday.addDays(6)};
}

QDate FiscalCalendarObject::systemFirstDate() const {
    return masterfile_.systemStartDate();
}

}  // namespace vel
