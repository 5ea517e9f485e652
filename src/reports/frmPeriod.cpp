#include "reports/frmPeriod.h"

#include "reports/FiscalCalendarRules.h"
#include "reports/PeriodRows.h"
#include "services/ErrorReport.h"
#include "services/HelpTopics.h"
#include "services/MessageWithSound.h"
#include "services/RuntimeError.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListView.h"
#include "ui/OptionButton.h"
#include "ui/WizardButtons.h"

#include <QLocale>

namespace vel {

namespace {

const QString procedure = QStringLiteral(" - frmPeriod:Edit");

// The first day of the fiscal year as the window shows it: "Fiscal Year Starts: January 1, 2024".
QString yearStartText(const QDate& date) {
    return QStringLiteral("Fiscal Year Starts: ") +
           QLocale(QLocale::English).toString(date, QStringLiteral("MMMM d, yyyy"));
}

void refuse(const QString& prompt) {
    MessageWithSound(prompt, MB_ICONEXCLAMATION);
}

}  // namespace

frmPeriod::frmPeriod() : Form(QStringLiteral("frmPeriod"), QStringLiteral("Fiscal Periods")) {
    auto& typePage =
        frame(QStringLiteral("fraCalendarType"), QStringLiteral("Fiscal Calendar Type:"));
    typePage.label(QStringLiteral("lblTypeInfo"),
                   QStringLiteral("Choose how the fiscal year is split into periods."));
    for (int type = FiscalCalendar::WeeksOnly; type <= FiscalCalendar::TwoPerMonth; ++type) {
        types_[size_t(type - 1)] =
            &typePage.option(QStringLiteral("optFiscal"), type, calendarTypeCaption(type));
    }

    pages_[TypePage] = &typePage;
    pages_[WeeksPage] = &frame(QStringLiteral("fraWeeksInYear"), QStringLiteral("Weeks in Year:"));
    rows_ = std::make_unique<PeriodRows>(*pages_[WeeksPage]);

    auto& monthPage = frame(QStringLiteral("fraFirstMonth"), QStringLiteral("First Month:"));
    pages_[MonthPage] = &monthPage;
    firstMonth_ = &monthPage.comboBox(QStringLiteral("Combo1"),
                                      QStringLiteral("&First Month of the Fiscal Year:"));
    for (int month = 1; month <= 12; ++month) {
        firstMonth_->addItem(monthName(month), month);
    }
    firstMonth_->onClick([this] { showYearStart(); });
    monthYearStart_ = &monthPage.label(QStringLiteral("lblMonthYearStart"), QString());

    auto& summary = frame(QStringLiteral("fraSummary"), QStringLiteral("Summary:"));
    pages_[SummaryPage] = &summary;
    summaryType_ = &summary.label(QStringLiteral("lblType"), QString());
    summaryFirst_ = &summary.label(QStringLiteral("lblFirstPeriod"), QString());
    summaryYearStart_ = &summary.label(QStringLiteral("lblYearStart"), QString());
    summaryPeriods_ = &summary.listView(QStringLiteral("lvPeriods"))
                           .column(QStringLiteral("Period"), 10)
                           .column(QStringLiteral("Name"), 22)
                           .column(QStringLiteral("Length"), 9, true);

    buttons_ = std::make_unique<WizardButtons>(
        *this, [this] { back(); }, [this] { next(); }, [] { showHelpTopic(HelpContext); });
}

frmPeriod::~frmPeriod() = default;

bool frmPeriod::Edit(quintptr ownerHandle, Masterfile& masterfile) {
    bool result = false;
    masterfile_ = &masterfile;
    written_ = false;
    guarded(procedure, result, [&] {
        load();
        start();
        ShowLikeModal(*this, ownerHandle);
        result = written_;
    });
    unload();
    masterfile_ = nullptr;
    return result;
}

// Sets the pages up from the calendar the master file holds, on the first page.
void frmPeriod::start() {
    stored_ = masterfile_->fiscalCalendar();
    systemStart_ = masterfile_->systemStartDate();
    if (!systemStart_.isValid()) {
        systemStart_ = stored_.yearStart;
    }
    if (!systemStart_.isValid()) {
        throw RuntimeError(GenericErrorNumber,
                           masterfile_->name() + QStringLiteral(" has no system start date"));
    }
    const bool knownType =
        stored_.type >= FiscalCalendar::WeeksOnly && stored_.type <= FiscalCalendar::TwoPerMonth;
    types_[size_t((knownType ? stored_.type : FiscalCalendar::PeriodAndWeek) - 1)]->setValue(true);
    rows_->setPeriods(weekRows(chosenType()));
    const bool monthsStored = knownType && !stored_.lengthsInWeeks();
    firstMonth_->setListIndex((monthsStored ? stored_.firstMonth : systemStart_.month()) - 1);
    showPage(TypePage);
}

// The rows a week-based type starts from: the stored ones when the type is stored, else the
// type's default rows.
std::vector<FiscalPeriod> frmPeriod::weekRows(int type) const {
    if (stored_.type == type && !stored_.periods.empty()) {
        return stored_.periods;
    }
    return defaultWeekPeriods(type, systemStart_.month());
}

void frmPeriod::showPage(Page page) {
    page_ = page;
    // The other pages go first, so that a rendered window never holds two pages at once.
    for (size_t index = 0; index < pages_.size(); ++index) {
        if (int(index) != page) {
            pages_[index]->setVisible(false);
        }
    }
    pages_[size_t(page)]->setVisible(true);
    buttons_->showPage(page == TypePage, page == SummaryPage, QStringLiteral("Finished"));
    switch (page) {
        case TypePage:
            setFocus(*types_[size_t(chosenType() - 1)]);
            break;
        case WeeksPage:
            rows_->focusCount();
            break;
        case MonthPage:
            setFocus(*firstMonth_);
            break;
        case SummaryPage:
            setFocus(buttons_->nextButton());
            break;
    }
}

void frmPeriod::next() {
    switch (page_) {
        case TypePage:
            if (chosenType() <= FiscalCalendar::PeriodAndWeek) {
                // Rows the person has not touched follow the type chosen.
                if (!rows_->edited()) {
                    rows_->setPeriods(weekRows(chosenType()));
                }
                showPage(WeeksPage);
            } else {
                showYearStart();
                showPage(MonthPage);
            }
            break;
        case WeeksPage:
            if (weeksAccepted()) {
                showSummary();
                showPage(SummaryPage);
            }
            break;
        case MonthPage:
            showSummary();
            showPage(SummaryPage);
            break;
        case SummaryPage:
            finish();
            break;
    }
}

void frmPeriod::back() {
    switch (page_) {
        case SummaryPage:
            showPage(chosenType() <= FiscalCalendar::PeriodAndWeek ? WeeksPage : MonthPage);
            break;
        case WeeksPage:
        case MonthPage:
            showPage(TypePage);
            break;
        case TypePage:
            break;
    }
}

// Checks the "Weeks in Year:" page; a refusal shows its message and focuses the box to fix.
bool frmPeriod::weeksAccepted() {
    const int count = rows_->enteredCount();
    if (count < 1 || count > PeriodRows::MostPeriods) {
        refuse(QStringLiteral("The number of periods must be from 1 to 52"));
        rows_->focusCount();
        return false;
    }
    const std::vector<FiscalPeriod> periods = rows_->periods();
    for (size_t index = 0; index < periods.size(); ++index) {
        if (periods[index].length < 1) {
            const int number = int(index) + 1;
            refuse(QStringLiteral("Period %1 must have at least 1 week").arg(number));
            rows_->focusWeeks(number);
            return false;
        }
    }
    if (totalLength(periods) != WeeksInFiscalYear) {
        refuse(QStringLiteral("The number of weeks must add up to 52"));
        rows_->focusWeeks(1);
        return false;
    }
    return true;
}

int frmPeriod::chosenType() const {
    const int type = selectedOption(*this, QStringLiteral("optFiscal"));
    return type > 0 ? type : int(FiscalCalendar::PeriodAndWeek);
}

int frmPeriod::chosenFirstMonth() const {
    const int index = firstMonth_->listIndex();
    return index >= 0 ? int(firstMonth_->itemData(index)) : systemStart_.month();
}

// The calendar the pages describe now.
FiscalCalendar frmPeriod::chosenCalendar() const {
    FiscalCalendar calendar;
    calendar.type = chosenType();
    if (calendar.lengthsInWeeks()) {
        calendar.firstMonth = systemStart_.month();
        calendar.yearStart = systemStart_;
        calendar.periods = rows_->periods();
        for (size_t index = 0; index < calendar.periods.size(); ++index) {
            QString& name = calendar.periods[index].name;
            name = name.trimmed();
            if (name.isEmpty()) {
                name = defaultPeriodName(int(index) + 1);
            }
        }
        return calendar;
    }
    calendar.firstMonth = chosenFirstMonth();
    calendar.yearStart = fiscalYearStart(calendar.firstMonth, systemStart_);
    calendar.periods = calendar.type == FiscalCalendar::CalendarMonths
                           ? calendarMonthPeriods(calendar.yearStart)
                           : twoPeriodsPerMonth(calendar.yearStart);
    return calendar;
}

void frmPeriod::showYearStart() {
    monthYearStart_->setCaption(yearStartText(fiscalYearStart(chosenFirstMonth(), systemStart_)));
}

void frmPeriod::showSummary() {
    const FiscalCalendar calendar = chosenCalendar();
    summaryType_->setCaption(QStringLiteral("Fiscal Calendar Type: ") +
                             calendarTypeCaption(calendar.type));
    summaryFirst_->setCaption(
        QStringLiteral("First Period: ") +
        (calendar.periods.empty() ? QString() : calendar.periods.front().name));
    summaryYearStart_->setCaption(yearStartText(calendar.yearStart));
    summaryPeriods_->clear();
    for (size_t index = 0; index < calendar.periods.size(); ++index) {
        const FiscalPeriod& period = calendar.periods[index];
        summaryPeriods_->addItem({QStringLiteral("Period ") + QString::number(index + 1),
                                  period.name, periodLengthText(calendar, period)});
    }
}

// Writes the calendar and its change-log entry, then closes the window; a failure is reported
// and closes it too, with nothing counted as written.
void frmPeriod::finish() {
    const FiscalCalendar calendar = chosenCalendar();
    guarded(procedure, [&] {
        if (!masterfile_->setFiscalCalendar(calendar)) {
            throw RuntimeError(GenericErrorNumber, QStringLiteral("The fiscal calendar could not "
                                                                  "be written to ") +
                                                       masterfile_->name());
        }
        masterfile_->logChange(QStringLiteral("Periods"), QString(), QStringLiteral("Edit"));
        written_ = true;
    });
    unload();
}

}  // namespace vel
