#include "reports/ReportSpan.h"

#include "data/FiscalCalendarObject.h"
#include "services/NumberFormat.h"

namespace vel {

namespace {

constexpr int DaysInWeek = 7;
const QString endingWord = QStringLiteral(" - Ending:");

}  // namespace

QString lengthCaption(int length, int periodsInYear) {
    switch (length) {
        case LengthDay:
            return QStringLiteral("&Day");
        case LengthWeek:
            return QStringLiteral("&Week");
        case LengthPeriod:
            return periodsInYear == 12 ? QStringLiteral("&Month") : QStringLiteral("&Period");
        case LengthQuarter:
            return QStringLiteral("&Quarter");
        case LengthHalf:
            return QStringLiteral("&Half Year");
        case LengthYear:
            return QStringLiteral("&Year");
        case LengthCustom:
            return QStringLiteral("&Custom Range");
        case LengthAllYears:
            return QStringLiteral("&All Years in System");
    }
    return {};
}

QString ordinalWord(int number) {
    static const QString words[] = {QStringLiteral("First"), QStringLiteral("Second"),
                                    QStringLiteral("Third"), QStringLiteral("Fourth")};
    return number >= 1 && number <= 4 ? words[number - 1] : QString();
}

ReportSpan::ReportSpan(const RangeChoice& choice, const FiscalCalendarObject& calendar)
    : choice_(choice), calendar_(calendar) {}

QDate ReportSpan::first() const {
    const QDate& ending = choice_.ending;
    switch (choice_.length) {
        case LengthDay:
            return ending;
        case LengthWeek:
            return ending.addDays(1 - DaysInWeek);
        case LengthPeriod:
            return calendar_.period(ending).first;
        case LengthQuarter:
            return calendar_.quarter(ending).first;
        case LengthHalf:
            return calendar_.half(ending).first;
        case LengthYear:
            return calendar_.year(ending).first;
        case LengthAllYears:
            return calendar_.systemFirstDate();
        case LengthCustom:
            break;
    }
    switch (choice_.unit) {
        case RangeUnit::Weeks:
            return customFirstWeekEnding().addDays(1 - DaysInWeek);
        case RangeUnit::FiscalMonths:
            return calendar_.period(choice_.beginning).first;
        case RangeUnit::Days:
            break;
    }
    return choice_.beginning;
}

// The first of the weeks that end on the ending date's weekday: the one holding the beginning.
QDate ReportSpan::customFirstWeekEnding() const {
    const qint64 days = choice_.beginning.daysTo(choice_.ending);
    return choice_.ending.addDays(-(days / DaysInWeek) * DaysInWeek);
}

QString ReportSpan::beginningText() const {
    switch (choice_.unit) {
        case RangeUnit::Weeks:
            return longDateText(customFirstWeekEnding());
        case RangeUnit::FiscalMonths:
            return longDateText(qMin(calendar_.period(choice_.beginning).last, choice_.ending));
        case RangeUnit::Days:
            break;
    }
    return longDateText(choice_.beginning);
}

QString ReportSpan::endingText() const {
    return longDateText(choice_.ending);
}

QString ReportSpan::description() const {
    const QDate& ending = choice_.ending;
    QString label;
    switch (choice_.length) {
        case LengthDay:
            label = QStringLiteral("Day:");
            break;
        case LengthWeek:
            label = QStringLiteral("Week Ending:");
            break;
        case LengthPeriod:
            label = QStringLiteral("Fiscal Month: ") + calendar_.periodName(ending) + endingWord;
            break;
        case LengthQuarter: {
            const FiscalSpan quarter = calendar_.quarter(ending);
            label = ordinalWord(quarter.number) + QStringLiteral(" Quarter of ") +
                    QString::number(quarter.fiscalYear) + endingWord;
            break;
        }
        case LengthHalf: {
            const FiscalSpan half = calendar_.half(ending);
            label = ordinalWord(half.number) + QStringLiteral(" Half of ") +
                    QString::number(half.fiscalYear) + endingWord;
            break;
        }
        case LengthYear:
            label = QStringLiteral("Year ") + QString::number(calendar_.year(ending).fiscalYear) +
                    endingWord;
            break;
        case LengthCustom: {
            static const QString units[] = {QStringLiteral("Days:"),
                                            QStringLiteral("Weeks Ending:"),
                                            QStringLiteral("Fiscal Months Ending:")};
            return units[int(choice_.unit) - 1] + u' ' + beginningText() + QStringLiteral(" to ") +
                   endingText();
        }
        case LengthAllYears:
            label = QStringLiteral("All Years:") + longDateText(calendar_.systemFirstDate()) +
                    QStringLiteral(" to");
            break;
        default:
            return {};
    }
    return label + u' ' + longDateText(ending);
}

QString ReportSpan::columnHeading() const {
    const QDate& ending = choice_.ending;
    switch (choice_.length) {
        case LengthDay:
            return QStringLiteral("Day");
        case LengthWeek:
            return QStringLiteral("Week Ending");
        case LengthPeriod:
            return QStringLiteral("Fiscal Month Ending: ");
        case LengthQuarter: {
            const FiscalSpan quarter = calendar_.quarter(ending);
            return ordinalWord(quarter.number) + QStringLiteral(" Quarter ") +
                   QString::number(quarter.fiscalYear) + QStringLiteral(" Ending");
        }
        case LengthHalf: {
            const FiscalSpan half = calendar_.half(ending);
            return ordinalWord(half.number) + QStringLiteral(" Half ") +
                   QString::number(half.fiscalYear) + QStringLiteral(" Ending");
        }
        case LengthYear:
            return QStringLiteral("Year ") + QString::number(calendar_.year(ending).fiscalYear) +
                   QStringLiteral(" Ending");
        case LengthCustom:
            return QStringLiteral("Range Ending");
        case LengthAllYears:
            return QStringLiteral("All Years Ending");
    }
    return {};
}

}  // namespace vel
