#include "reports/frmEmployeeList.h"

#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "reports/ReportItemLists.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/MessageBoxCodes.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/TabStrip.h"

#include <algorithm>

namespace vel {

namespace {

const QString formName = QStringLiteral("frmEmployeeList");

bool ticked(const Form& form, const QString& path) {
    return form.controlAs<CheckBox>(path).checked();
}

}  // namespace

frmEmployeeList::frmEmployeeList()
    : AssociateReportWindow(formName,
                            QStringLiteral("Print Associate Production Analysis Report")) {
    TabStrip& tabs = tabStrip(QStringLiteral("TabStrip1"));
    declareReportPage(
        tabs.page(QStringLiteral("&Report"), QStringLiteral("Which report, of which work")));
    declareHistoryPage(
        tabs.page(QStringLiteral("&History"), QStringLiteral("Which history, and who is listed")));
    declareGroupingPage(tabs.page(QStringLiteral("&Grouping and Sort"),
                                  QStringLiteral("How the lines are grouped and sorted")));
    declareChartsPage(
        tabs.page(QStringLiteral("C&harts"), QStringLiteral("Charts printed after the list")));
    declareRunButtons();
}

void frmEmployeeList::declareReportPage(Container& page) {
    Frame& frame = page.frame(QStringLiteral("frmTab"), 0, QStringLiteral("Report"));
    frame.option(QStringLiteral("OptReport"), 0, QStringLiteral("Associate Performance Analysis"));
    frame.option(QStringLiteral("OptReport"), 1, QStringLiteral("Associate Cost Analysis"));
    const auto work = [this, &frame](int index, const char* caption) {
        frame.option(QStringLiteral("optActivity"), index, QString::fromLatin1(caption))
            .clicked([this] { fillWorkItems(); });
    };
    work(0, "Total of All Activities");
    work(1, "Single Activity");
    work(2, "Single Type of Work");
    cmbActivity_ = &frame.comboBox(QStringLiteral("cmbActivity"), QStringLiteral("&Activity:"));
}

void frmEmployeeList::declareHistoryPage(Container& page) {
    Frame& frame = page.frame(QStringLiteral("frmTab"), 1, QStringLiteral("History"));
    frame.option(QStringLiteral("optHistType"), 0, QStringLiteral("Long Term"));
    frame.option(QStringLiteral("optHistType"), 1, QStringLiteral("Short Term"));
    minimumHours_ =
        &frame.numberBox(QStringLiteral("NumberBox1"), QStringLiteral("&Minimum measured hours:"))
             .range(0, 99999)
             .decimals(2)
             .tip(QStringLiteral("Associates with fewer measured hours in the "
                                 "history are left out"));
}

void frmEmployeeList::declareGroupingPage(Container& page) {
    Frame& frame = page.frame(QStringLiteral("frmTab"), 2, QStringLiteral("Grouping and Sort"));
    frame.option(QStringLiteral("optGroup"), 0, QStringLiteral("N&one"));
    frame.option(QStringLiteral("optGroup"), 1, QStringLiteral("&Home Work Center"));
    frame.option(QStringLiteral("optGroup"), 2, QStringLiteral("Primary &Grouping"));
    frame.option(QStringLiteral("optType"), 0, QStringLiteral("&Name"));
    frame.option(QStringLiteral("optType"), 1, QStringLiteral("&Short Term Percent Performance"));
    frame.option(QStringLiteral("optType"), 2, QStringLiteral("&Long Term Percent Performance"));
}

void frmEmployeeList::declareChartsPage(Container& page) {
    Frame& frame = page.frame(QStringLiteral("frmTab"), 3, QStringLiteral("Charts"));
    frame.checkBox(QStringLiteral("Check1"), 0,
                   QStringLiteral("Print a Histogram of Performances"));
    frame.checkBox(QStringLiteral("Check1"), 1, QStringLiteral("Print a Bar Chart of Performances"))
        .clicked([this] { enableChartLines(); });
    frame.checkBox(QStringLiteral("chkOption"), 0,
                   QStringLiteral("Draw an upper limit (Goal) line"));
    frame.checkBox(QStringLiteral("chkOption"), 1,
                   QStringLiteral("Draw a work center average line"));
    frame.checkBox(QStringLiteral("chkOption"), 2,
                   QStringLiteral("Draw a lower limit (Minimum Acceptable) line"));
}

void frmEmployeeList::Form_Load() {
    for (const char* name : {"OptReport", "optActivity", "optHistType", "optGroup", "optType"}) {
        controlAs<OptionButton>(QString::fromLatin1(name) + QStringLiteral("(0)")).setValue(true);
    }
    fillWorkItems();
    enableChartLines();
}

void frmEmployeeList::fillWorkItems() {
    const int work = selectedOption(*this, QStringLiteral("optActivity"));
    cmbActivity_->clear();
    if (system() && work == int(WorkChoice::SingleActivity)) {
        fillByName(*cmbActivity_, system()->activities());
        cmbActivity_->setCaption(QStringLiteral("&Activity:"));
    } else if (system() && work == int(WorkChoice::SingleTypeOfWork)) {
        fillByName(*cmbActivity_, system()->typesOfWork());
        cmbActivity_->setCaption(QStringLiteral("&Type of work:"));
    }
    cmbActivity_->setEnabled(cmbActivity_->listCount() > 0);
    if (cmbActivity_->listCount() > 0) {
        cmbActivity_->setListIndex(0);
    }
}

void frmEmployeeList::enableChartLines() {
    const bool bars = ticked(*this, QStringLiteral("Check1(1)"));
    for (Control* line : controlArray(QStringLiteral("chkOption"))) {
        line->setEnabled(bars);
    }
}

ProductionOptions frmEmployeeList::options() const {
    ProductionOptions chosen;
    chosen.kind = ProductionKind(std::max(0, selectedOption(*this, QStringLiteral("OptReport"))));
    chosen.work = WorkChoice(std::max(0, selectedOption(*this, QStringLiteral("optActivity"))));
    if (chosen.work != WorkChoice::All && cmbActivity_->listIndex() >= 0) {
        chosen.workItem = int(cmbActivity_->itemData(cmbActivity_->listIndex()));
        chosen.workItemName = cmbActivity_->text();
    }
    chosen.history = selectedOption(*this, QStringLiteral("optHistType")) == 1
                         ? HistoryKind::ShortTerm
                         : HistoryKind::LongTerm;
    chosen.minimumHours = minimumHours_->value();
    chosen.grouping =
        ReportGrouping(std::max(0, selectedOption(*this, QStringLiteral("optGroup"))));
    chosen.sort = ProductionSort(std::max(0, selectedOption(*this, QStringLiteral("optType"))));
    chosen.histogram = ticked(*this, QStringLiteral("Check1(0)"));
    chosen.barChart = ticked(*this, QStringLiteral("Check1(1)"));
    chosen.goalLine = ticked(*this, QStringLiteral("chkOption(0)"));
    chosen.averageLine = ticked(*this, QStringLiteral("chkOption(1)"));
    chosen.minimumLine = ticked(*this, QStringLiteral("chkOption(2)"));
    return chosen;
}

bool frmEmployeeList::checkOptions(RunChoices& choices) {
    const ProductionOptions chosen = options();
    if (chosen.work != WorkChoice::All && chosen.workItem == 0) {
        message(chosen.work == WorkChoice::SingleActivity
                    ? QStringLiteral("Choose the activity the report is to cover.")
                    : QStringLiteral("Choose the type of work the report is to cover."),
                MB_ICONEXCLAMATION);
        return false;
    }
    choices.selection = chosen.selection();
    choices.workCenters = chosen.needsWorkCenters();
    return true;
}

void frmEmployeeList::choosePage(PageSetup& setup) const {
    setup.orientation = PrintOrientation::Landscape;
}

bool frmEmployeeList::printReport(TBPrint& printer, ReportPrinter& report,
                                  const ReportFigures& figures) {
    return ProductionReport(*system(), options(), figures).print(printer, report);
}

}  // namespace vel
