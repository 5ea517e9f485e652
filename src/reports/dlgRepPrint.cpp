#include "reports/dlgRepPrint.h"

#include "data/FiscalCalendarObject.h"
#include "data/Masterfile.h"
#include "reports/ReportOwner.h"
#include "services/ErrorReport.h"
#include "services/HelpTopics.h"
#include "services/MessageWithSound.h"
#include "services/NumberFormat.h"
#include "services/RuntimeError.h"
#include "services/ShowLikeModal.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/DateBox.h"
#include "ui/Frame.h"
#include "ui/Label.h"
#include "ui/ListSelect.h"
#include "ui/OptionButton.h"
#include "ui/Ui.h"
#include "ui/WizardButtons.h"

namespace vel {

namespace {

const QString procedure = QStringLiteral(" - dlgRepPrint:Show");
constexpr int TimerMilliseconds = 60 * 1000;
constexpr int SecondsInMinute = 60;

// The caption of the ending date's frame by the report length.
QString endingFrameCaption(int length) {
    switch (length) {
        case LengthDay:
            return QStringLiteral("Day:");
        case LengthWeek:
            return QStringLiteral("Week Ending:");
        case LengthPeriod:
            return QStringLiteral("Fiscal Month:");
        case LengthQuarter:
            return QStringLiteral("Quarter Number:");
        case LengthHalf:
            return QStringLiteral("Half:");
        case LengthYear:
            return QStringLiteral("Year: ");
        case LengthAllYears:
            return QStringLiteral("All Years ");
    }
    return QStringLiteral("Range &Ending:");
}

}  // namespace

dlgRepPrint::dlgRepPrint() : Form(QStringLiteral("dlgRepPrint"), QStringLiteral("Print a Report")) {
    clock_ = [] { return QDateTime::currentDateTime(); };
    reportLine_ = &label(QStringLiteral("lblReport"), QString());
    buildLengthPage();
    buildDatesPage();
    buildOptionsPage();
    buildComparePage();
    buildSequencePage();
    buttons_ = std::make_unique<WizardButtons>(
        *this, [this] { back(); }, [this] { next(); }, [this] { showHelpTopic(helpContext_); });
    setTimer(TimerMilliseconds, [this] { idleCheck(); });

    preparing_ = true;
    setCurrentDate(QDate::currentDate());
    lengths_[size_t(choice_.length)]->setValue(true);
    units_[size_t(choice_.unit)]->setValue(true);
    compareTypeBox_->setListIndex(compareTypeBox_->findData(ThroughTheRange));
    transpose_[0]->setValue(true);
    preparing_ = false;
    for (Frame* page : pages_) {
        page->setVisible(false);
    }
}

dlgRepPrint::~dlgRepPrint() = default;

QString dlgRepPrint::captionFor(const QString& title, const Masterfile& masterfile) {
    const QString systemTitle = masterfile.titles().value(0).trimmed();
    if (systemTitle.isEmpty()) {
        return title;
    }
    return title + QStringLiteral(" - ") + systemTitle + QStringLiteral(" Tallybook");
}

int dlgRepPrint::Show(quintptr ownerHandle, ReportOwner& report, const QString& caption,
                      const QString& action, int helpContext) {
    int result = 0;
    cancelled_ = true;
    guarded(procedure, result, [&] {
        setCaption(caption);
        start(report, action, helpContext);
        if (report.CommandLinePrinting()) {
            // Unattended: every page keeps its choices and nothing shows.
            writeBack();
            cancelled_ = false;
        } else {
            cancelled_ = false;
            showPage(LengthPage);
            userActed();
            ShowLikeModal(*this, ownerHandle);
        }
        if (!cancelled_) {
            finished_ = range();
            result = choice_.length;
        }
    });
    calendar_.reset();
    report_ = nullptr;
    return result;
}

void dlgRepPrint::start(ReportOwner& report, const QString& action, int helpContext) {
    Masterfile* masterfile = report.Owner();
    if (!masterfile) {
        throw RuntimeError(GenericErrorNumber,
                           QStringLiteral("The report has no master file to take its dates from"));
    }
    report_ = &report;
    action_ = action;
    helpContext_ = helpContext != 0 ? helpContext : helpContextID();
    calendar_ = std::make_unique<FiscalCalendarObject>(*masterfile);
    load();
    preparing_ = true;
    readOwner();
    preparing_ = false;
}

void dlgRepPrint::readOwner() {
    const int fileNumber = report_->FileNum();
    reportLine_->setCaption(fileNumber > 0
                                ? report_->ReportClass() + QStringLiteral(" Report Number: ") +
                                      QString::number(fileNumber)
                                : report_->ReportClass());
    lengths_[LengthPeriod]->setCaption(lengthCaption(LengthPeriod, periodsInYear()));

    const int mode = report_->PrintMode();
    for (size_t style = 1; style < styles_.size(); ++style) {
        styles_[style]->setValue(int(style) == mode);
    }
    transpose_[report_->Transpose() ? 1 : 0]->setValue(true);
    if (!report_->inPrintJob()) {
        currentUi().statusText(QStringLiteral("Loading Print Sequences"));
        report_->RestoreOrigSequence();
        loadSequences();
    }
    years_->setVisible(report_->UsesLastYear());
    if (report_->UsesLastYear()) {
        fillYears();
    }
    noData_->setChecked(report_->PrintNoData());
    newPage_->setChecked(report_->NewPagePerAccount());
    lengthChosen();
}

void dlgRepPrint::loadSequences() {
    sequences_->clear();
    const QList<int> chosen = report_->sequences();
    const int level = report_->sequenceLevel();
    if (level > 0) {
        for (const PrintSequence& sequence : report_->Owner()->printSequences(level)) {
            sequences_->addItem(sequence.name, sequence.number, chosen.contains(sequence.number));
        }
    }
    const int column = sortColumn_->findData(report_->SortColumn());
    sortColumn_->setListIndex(column >= 0 ? column : 0);
}

void dlgRepPrint::sequencesTicked() {
    userActed();
    if (preparing_ || !report_) {
        return;
    }
    QList<int> chosen;
    for (long long number : sequences_->selectedData()) {
        chosen << int(number);
    }
    report_->setSequences(chosen);
}

void dlgRepPrint::writeBack() {
    report_->setLineStyle(report_->LineStyle());
    report_->setReportType(report_->ReportType());
    const int style = selectedOption(*this, QStringLiteral("OptStyle"));
    if (style > 0) {
        report_->setPrintMode(style);
    }
    report_->setNewPagePerAccount(newPage_->checked());
    report_->setPrintNoData(noData_->checked());
    report_->setTranspose(transpose_[1]->value());
    report_->setSortColumn(int(sortColumn_->itemData(qMax(0, sortColumn_->listIndex()))));
}

bool dlgRepPrint::pageApplies(Page page) const {
    switch (page) {
        case LengthPage:
        case DatesPage:
            return true;
        case ComparePage:
            return compareApplies();
        default:
            return report_ && report_->ReportType() < ReportOwner::DateRangeOnly;
    }
}

bool dlgRepPrint::compareApplies() const {
    if (!report_ || report_->SubColumnType() != 0) {
        return false;
    }
    const int type = report_->ReportType();
    return type == ReportOwner::ComparingReport ||
           (type == ReportOwner::AccountSummary && styles_[4]->value());
}

bool dlgRepPrint::transposeApplies() const {
    if (!report_) {
        return false;
    }
    const int type = report_->ReportType();
    const int style = selectedOption(*this, QStringLiteral("OptStyle"));
    return (type == ReportOwner::AccountSummary || type == ReportOwner::ComparingReport) &&
           style >= 1 && style <= 3;
}

dlgRepPrint::Page dlgRepPrint::lastPage() const {
    for (int page = PageCount - 1; page > LengthPage; --page) {
        if (pageApplies(Page(page))) {
            return Page(page);
        }
    }
    return LengthPage;
}

void dlgRepPrint::showPage(Page page) {
    page_ = page;
    for (size_t index = 0; index < pages_.size(); ++index) {
        if (int(index) != page) {
            pages_[index]->setVisible(false);
        }
    }
    pages_[size_t(page)]->setVisible(true);
    transposeFrame_->setVisible(transposeApplies());
    if (!compareApplies()) {
        compareRangeBox_->setListIndex(compareRangeBox_->findData(0));
    }
    buttons_->showPage(page == LengthPage, page == lastPage(), action_);
}

void dlgRepPrint::next() {
    userActed();
    if (page_ == DatesPage && choice_.length == LengthCustom &&
        choice_.beginning > choice_.ending) {
        MessageWithSound(QStringLiteral("The beginning of the range must not be after its end."),
                         MB_ICONEXCLAMATION);
        setFocus(*calendars_[0]);
        return;
    }
    if (page_ != lastPage()) {
        int page = page_ + 1;
        while (!pageApplies(Page(page))) {
            ++page;
        }
        showPage(Page(page));
        return;
    }
    if (report_->ReportType() < ReportOwner::DateRangeOnly && report_->NumSequences() == 0) {
        MessageWithSound(QStringLiteral("No Print Sequences are defined, not data will be output."),
                         MB_ICONEXCLAMATION);
        return;
    }
    writeBack();
    hide();
}

void dlgRepPrint::back() {
    userActed();
    int page = page_ - 1;
    while (page > LengthPage && !pageApplies(Page(page))) {
        --page;
    }
    showPage(Page(qMax(int(LengthPage), page)));
}

void dlgRepPrint::cancel() {
    cancelled_ = true;
    if (report_ && !report_->inPrintJob()) {
        report_->RestoreOrigSequence();
    }
    hide();
}

// Closing the window while it shows (Cancel or its frame) cancels the wizard and keeps it
// loaded with its choices; only the command class's end unloads it.
void dlgRepPrint::Form_QueryUnload(bool& cancelUnload, UnloadMode) {
    if (releasing_) {
        return;
    }
    cancelUnload = true;
    cancel();
}

void dlgRepPrint::release() {
    releasing_ = true;
    unload();
    releasing_ = false;
}

void dlgRepPrint::lengthChosen() {
    const int chosen = selectedOption(*this, QStringLiteral("optLength"));
    if (chosen >= FirstReportLength) {
        choice_.length = chosen;
    }
    const bool custom = choice_.length == LengthCustom;
    dateFrames_[0]->setVisible(custom);
    unitFrame_->setVisible(custom);
    dateFrames_[1]->setCaption(endingFrameCaption(choice_.length));
    refillCompareRanges();
    refreshDates();
    if (!preparing_) {
        userActed();
    }
}

void dlgRepPrint::refillCompareRanges() {
    const bool wasPreparing = preparing_;
    preparing_ = true;
    const int kept = compareRange_;
    compareRangeBox_->clear();
    compareRangeBox_->addItem(QStringLiteral("None"), 0);
    for (int length = choice_.length + 1; length < LengthCustom; ++length) {
        compareRangeBox_->addItem(lengths_[size_t(length)]->plainCaption(), length);
    }
    const int index = compareRangeBox_->findData(kept);
    compareRangeBox_->setListIndex(index >= 0 ? index : 0);
    compareRange_ = int(compareRangeBox_->itemData(compareRangeBox_->listIndex()));
    preparing_ = wasPreparing;
}

void dlgRepPrint::refreshDates() {
    if (!calendar_) {
        return;
    }
    const ReportSpan range(choice_, *calendar_);
    dateTexts_[0]->setCaption(range.beginningText());
    const QDate& ending = choice_.ending;
    const QString endingDate = longDateText(ending);
    const QString endingWord = QStringLiteral(" - Ending: ");
    QString text;
    switch (choice_.length) {
        case LengthPeriod:
            text = calendar_->periodName(ending) + endingWord + endingDate;
            break;
        case LengthQuarter:
        case LengthHalf: {
            const FiscalSpan span = choice_.length == LengthQuarter ? calendar_->quarter(ending)
                                                                    : calendar_->half(ending);
            text = QString::number(span.number) + QStringLiteral(" of ") +
                   QString::number(span.fiscalYear) + endingWord + endingDate;
            break;
        }
        case LengthYear:
            text = QString::number(calendar_->year(ending).fiscalYear) + endingWord + endingDate;
            break;
        case LengthAllYears:
            text = QStringLiteral("Ending: ") + endingDate;
            break;
        default:
            text = endingDate;
    }
    dateTexts_[1]->setCaption(text);
    description_->setCaption(range.description());
}

void dlgRepPrint::setCurrentDate(const QDate& date) {
    const bool wasPreparing = preparing_;
    preparing_ = true;
    choice_.ending = date;
    choice_.beginning = date;
    calendars_[0]->setDate(date);
    calendars_[1]->setDate(date);
    preparing_ = wasPreparing;
    refreshDates();
}

int dlgRepPrint::CompareType() const {
    return compareType_;
}

int dlgRepPrint::CompareRange() const {
    return compareRange_;
}

QString dlgRepPrint::CompareRangeText(int which) const {
    const QString lengthText = lengths_[size_t(choice_.length)]->plainCaption();
    if (which == 1) {
        return lengthText;
    }
    const QString rangeText = compareRangeBox_->text();
    switch (compareType_) {
        case UpToTheRange:
            return rangeText + QStringLiteral(" up to this ") + lengthText;
        case ThroughTheRange:
            return rangeText + QStringLiteral(" through this ") + lengthText;
    }
    return rangeText;
}

int dlgRepPrint::ThisYear() const {
    return years_->visible() ? int(yearBoxes_[0]->itemData(qMax(0, yearBoxes_[0]->listIndex())))
                             : 0;
}

int dlgRepPrint::LastYear() const {
    return years_->visible() ? int(yearBoxes_[1]->itemData(qMax(0, yearBoxes_[1]->listIndex())))
                             : 0;
}

dlgRepPrint::ChosenRange dlgRepPrint::range() const {
    if (!calendar_) {
        return finished_;
    }
    const ReportSpan range(choice_, *calendar_);
    return {range.first(), range.last(), range.description(), range.columnHeading()};
}

int dlgRepPrint::periodsInYear() const {
    return calendar_ ? calendar_->numberOfPeriods() : 0;
}

void dlgRepPrint::userActed() {
    lastAction_ = clock_();
}

void dlgRepPrint::idleCheck() {
    if (isVisible() && lastAction_.secsTo(clock_()) >= IdleMinutes * SecondsInMinute) {
        cancel();
    }
}

}  // namespace vel
