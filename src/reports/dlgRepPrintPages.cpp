// The pages of the report dialog and the fiscal-year choice.
#include "data/FiscalCalendarObject.h"
#include "data/Masterfile.h"
#include "reports/ReportOwner.h"
#include "reports/dlgRepPrint.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/OptionButton.h"

namespace vel {

void dlgRepPrint::buildLengthPage() {
    auto& page = frame(QStringLiteral("fraLength"), QStringLiteral("Length of Report:"));
    pages_[LengthPage] = &page;
    for (int length = FirstReportLength; length <= LastReportLength; ++length) {
        lengths_[size_t(length)] =
            &page.option(QStringLiteral("optLength"), length, lengthCaption(length, 12))
                 .clicked([this] { lengthChosen(); });
    }
    lengths_[LengthPeriod]->setCaption(QStringLiteral("&Month or Period"));
    years_ = &page.frame(QStringLiteral("frmYears"), QStringLiteral("Fiscal Years:"));
    yearBoxes_[0] = &years_->comboBox(QStringLiteral("cmbYear"), 0, QStringLiteral("&This Year:"));
    yearBoxes_[1] = &years_->comboBox(QStringLiteral("cmbYear"), 1, QStringLiteral("&Last Year:"));
    yearBoxes_[0]->onClick([this] { chosenYearChanged(); });
    yearBoxes_[1]->onClick([this] { userActed(); });
    years_->setVisible(false);
}

void dlgRepPrint::buildDatesPage() {
    auto& page = frame(QStringLiteral("fraDates"), QStringLiteral("Dates:"));
    pages_[DatesPage] = &page;
    auto& row = page.line();
    for (int which = 0; which < 2; ++which) {
        Frame& box = row.frame(
            QStringLiteral("fraDate"), which,
            which == 0 ? QStringLiteral("Range &Beginning:") : QStringLiteral("Range &Ending:"));
        dateFrames_[size_t(which)] = &box;
        calendars_[size_t(which)] = &box.dateBox(QStringLiteral("Calendar"), which);
        calendars_[size_t(which)]->onChange([this, which] {
            const QDate date = calendars_[size_t(which)]->date();
            (which == 0 ? choice_.beginning : choice_.ending) = date;
            if (!preparing_) {
                userActed();
                refreshDates();
            }
        });
        dateTexts_[size_t(which)] = &box.label(QStringLiteral("lblDate"), which, QString());
    }
    unitFrame_ = &page.frame(QStringLiteral("fraUnit"), QStringLiteral("Count the Range in:"));
    const QString unitCaptions[] = {QStringLiteral("Da&ys"), QStringLiteral("W&eeks"),
                                    QStringLiteral("&Fiscal Months")};
    for (int unit = 1; unit <= 3; ++unit) {
        units_[size_t(unit)] =
            &unitFrame_->option(QStringLiteral("optUnit"), unit, unitCaptions[unit - 1])
                 .clicked([this, unit] {
                     choice_.unit = RangeUnit(unit);
                     if (!preparing_) {
                         userActed();
                         refreshDates();
                     }
                 });
    }
    description_ = &page.label(QStringLiteral("lblDescription"), QString());
}

void dlgRepPrint::buildOptionsPage() {
    auto& page = frame(QStringLiteral("fraOptions"), QStringLiteral("Print Options:"));
    pages_[OptionsPage] = &page;
    const QString captions[] = {
        QStringLiteral("&Day-by-Day"), QStringLiteral("&Week-by-Week"),
        QStringLiteral("&Month-by-Month (Period-by-Period)"),
        QStringLiteral("&One Line per Account/Grouping/Total for one period of time")};
    page.label(QStringLiteral("lblStyle"), 0, QStringLiteral("Time Series:"));
    for (int style = 1; style <= 4; ++style) {
        if (style == 4) {
            page.label(QStringLiteral("lblStyle"), 1, QStringLiteral("Account Summary:"));
        }
        styles_[size_t(style)] =
            &page.option(QStringLiteral("OptStyle"), style, captions[style - 1]).clicked([this] {
                transposeFrame_->setVisible(transposeApplies());
                userActed();
            });
    }
    transposeFrame_ = &page.frame(QStringLiteral("FrmTranspose"), QStringLiteral("Orientation:"));
    transpose_[0] = &transposeFrame_->option(QStringLiteral("btnTranspose"), 0,
                                             QStringLiteral("Dates are in Rows (Normal)"));
    transpose_[1] = &transposeFrame_->option(QStringLiteral("btnTranspose"), 1,
                                             QStringLiteral("Dates are in Columns (Transposed)"));
    noData_ =
        &page.checkBox(QStringLiteral("chkNoData"), QStringLiteral("&Print Lines with No Data"));
    newPage_ = &page.checkBox(QStringLiteral("chkNewPage"),
                              QStringLiteral("Print each &Account in a group on a separate page"));
}

void dlgRepPrint::buildComparePage() {
    auto& page = frame(QStringLiteral("frmCompare"), QStringLiteral("Compare:"));
    pages_[ComparePage] = &page;
    compareTypeBox_ =
        &page.comboBox(QStringLiteral("cmbCompareType"), QStringLiteral("Compare &Type:"));
    compareTypeBox_->addItem(QStringLiteral("Up to the Date Range"), UpToTheRange);
    compareTypeBox_->addItem(QStringLiteral("Through the Date Range"), ThroughTheRange);
    compareTypeBox_->addItem(QStringLiteral("Entire Compare Range"), EntireCompareRange);
    compareTypeBox_->onClick([this] {
        compareType_ = int(compareTypeBox_->itemData(compareTypeBox_->listIndex()));
        userActed();
    });
    compareRangeBox_ =
        &page.comboBox(QStringLiteral("cmbCompareRange"), QStringLiteral("Compare &Range:"));
    compareRangeBox_->onClick([this] {
        if (!preparing_) {
            compareRange_ = int(compareRangeBox_->itemData(compareRangeBox_->listIndex()));
            userActed();
        }
    });
}

void dlgRepPrint::buildSequencePage() {
    auto& page = frame(QStringLiteral("fraSequence"), QStringLiteral("Print Sequences:"));
    pages_[SequencePage] = &page;
    sequences_ =
        &page.listSelect(QStringLiteral("PrintSequence"), QStringLiteral("Print &Sequences:"));
    sequences_->onChange([this] { sequencesTicked(); });
    sortColumn_ = &page.comboBox(QStringLiteral("cmbSortColumn"), QStringLiteral("&Sort by:"));
    sortColumn_->addItem(QStringLiteral("Print Sequence Order"), 0);
    sortColumn_->addItem(QStringLiteral("Account Code"), 1);
    sortColumn_->addItem(QStringLiteral("Account Name"), 2);
    sortColumn_->onClick([this] { userActed(); });
}

// The fiscal years from the system's first to the one holding today; this year starts as the
// year of the ending date, last year as the one before it.
void dlgRepPrint::fillYears() {
    const int first = calendar_->year(calendar_->systemFirstDate()).fiscalYear;
    const int last = qMax(first, calendar_->year(QDate::currentDate()).fiscalYear);
    const int current = qBound(first, calendar_->year(choice_.ending).fiscalYear, last);
    for (ComboBox* box : yearBoxes_) {
        box->clear();
    }
    yearBoxes_[1]->addItem(QStringLiteral("None"), 0);
    for (int year = first; year <= last; ++year) {
        yearBoxes_[0]->addItem(QString::number(year), year);
        yearBoxes_[1]->addItem(QString::number(year), year);
    }
    yearBoxes_[0]->setListIndex(yearBoxes_[0]->findData(current));
    const int lastYear = yearBoxes_[1]->findData(current - 1);
    yearBoxes_[1]->setListIndex(lastYear >= 0 ? lastYear : 0);
}

// The ending date stays within the fiscal year chosen as this year.
void dlgRepPrint::chosenYearChanged() {
    if (preparing_ || !calendar_) {
        return;
    }
    userActed();
    const int year = ThisYear();
    Masterfile& masterfile = *report_->Owner();
    const QDate first = masterfile.periodStart(year, 1);
    const QDate last = masterfile.periodEnd(year, calendar_->numberOfPeriods());
    if (first.isValid() && last.isValid() && (choice_.ending < first || choice_.ending > last)) {
        setCurrentDate(qBound(first, choice_.ending, last));
    }
}

}  // namespace vel
