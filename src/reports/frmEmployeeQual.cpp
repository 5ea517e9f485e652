#include "reports/frmEmployeeQual.h"

#include "data/VelmorSystem.h"
#include "data/records/TypeOfWorkRecord.h"
#include "platform/print/PageSetup.h"
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

constexpr double qualityFontPoints = 7;
constexpr int qualityMargin = PrintUnitsPerInch * 2 / 5;

int chosen(const Form& form, const char* name) {
    return std::max(0, selectedOption(form, QString::fromLatin1(name)));
}

}  // namespace

frmEmployeeQual::frmEmployeeQual()
    : AssociateReportWindow(QStringLiteral("frmEmployeeQual"),
                            QStringLiteral("Print Associate Quality Analysis Report")) {
    TabStrip& tabs = tabStrip(QStringLiteral("TabStrip1"));
    Frame& report =
        tabs.page(QStringLiteral("&Report"), QStringLiteral("Which history, of which work"))
            .frame(QStringLiteral("frmTab"), 0, QStringLiteral("Report"));
    report.option(QStringLiteral("OptReport"), 0, QStringLiteral("Short Term History"));
    report.option(QStringLiteral("OptReport"), 1, QStringLiteral("Long Term History"));
    report.option(QStringLiteral("optActivity"), 0, QStringLiteral("Total of All Types of Work"))
        .clicked([this] { fillTypesOfWork(); });
    report.option(QStringLiteral("optActivity"), 1, QStringLiteral("Single Type of Work"))
        .clicked([this] { fillTypesOfWork(); });
    cmbActivity_ =
        &report.comboBox(QStringLiteral("cmbActivity"), QStringLiteral("&Type of work:"));

    Frame& minima = tabs.page(QStringLiteral("&Minimums"), QStringLiteral("Who is listed"))
                        .frame(QStringLiteral("frmTab"), 1, QStringLiteral("Minimums"));
    minima.numberBox(QStringLiteral("NumberBox1"), 0, QStringLiteral("Minimum &measured hours:"))
        .range(0, 99999)
        .decimals(2);
    minima
        .numberBox(QStringLiteral("NumberBox1"), 1, QStringLiteral("Minimum accuracy &base units:"))
        .range(0, 9999999);

    Frame& order = tabs.page(QStringLiteral("&Grouping and Sort"),
                             QStringLiteral("How the lines are grouped and sorted"))
                       .frame(QStringLiteral("frmTab"), 2, QStringLiteral("Grouping and Sort"));
    order.option(QStringLiteral("optGroup"), 0, QStringLiteral("N&one"));
    order.option(QStringLiteral("optGroup"), 1, QStringLiteral("&Home Work Center"));
    order.option(QStringLiteral("optGroup"), 2, QStringLiteral("Primary &Grouping"));
    const char* sorts[] = {"&Name",     "&Percent Audited", "Audited &Units",
                           "A&ccuracy", "&Performance",     "&Number of Audits"};
    for (int index = 0; index < 6; ++index) {
        order.option(QStringLiteral("optType"), index, QString::fromLatin1(sorts[index]));
    }

    Frame& charts =
        tabs.page(QStringLiteral("C&harts"), QStringLiteral("Charts printed after the list"))
            .frame(QStringLiteral("frmTab"), 3, QStringLiteral("Charts"));
    charts.checkBox(QStringLiteral("Check1"), 1,
                    QStringLiteral("Print a Bar Chart of Quality Accuracy"));
    charts.checkBox(QStringLiteral("Check1"), 2,
                    QStringLiteral("Print a Histogram of Quality Accuracy"));

    declareRunButtons();
}

void frmEmployeeQual::Form_Load() {
    for (const char* name : {"OptReport", "optActivity", "optGroup", "optType"}) {
        controlAs<OptionButton>(QString::fromLatin1(name) + QStringLiteral("(0)")).setValue(true);
    }
    fillTypesOfWork();
}

void frmEmployeeQual::fillTypesOfWork() {
    cmbActivity_->clear();
    if (system() && chosen(*this, "optActivity") == 1) {
        fillByName(*cmbActivity_, system()->typesOfWork());
    }
    cmbActivity_->setEnabled(cmbActivity_->listCount() > 0);
    if (cmbActivity_->listCount() > 0) {
        cmbActivity_->setListIndex(0);
    }
}

QualityOptions frmEmployeeQual::options() const {
    QualityOptions options;
    options.history =
        chosen(*this, "OptReport") == 1 ? HistoryKind::LongTerm : HistoryKind::ShortTerm;
    if (chosen(*this, "optActivity") == 1 && cmbActivity_->listIndex() >= 0) {
        options.typeOfWork = int(cmbActivity_->itemData(cmbActivity_->listIndex()));
        options.typeOfWorkName = cmbActivity_->text();
    }
    options.minimumHours = controlAs<NumberBox>(QStringLiteral("NumberBox1(0)")).value();
    options.minimumBaseUnits = controlAs<NumberBox>(QStringLiteral("NumberBox1(1)")).value();
    options.grouping = ReportGrouping(chosen(*this, "optGroup"));
    options.sort = QualitySort(chosen(*this, "optType"));
    options.barChart = controlAs<CheckBox>(QStringLiteral("Check1(1)")).checked();
    options.histogram = controlAs<CheckBox>(QStringLiteral("Check1(2)")).checked();
    options.classes = classes_;
    return options;
}

bool frmEmployeeQual::checkOptions(RunChoices& choices) {
    if (chosen(*this, "optActivity") == 1 && cmbActivity_->listIndex() < 0) {
        message(QStringLiteral("Choose the type of work the report is to cover."),
                MB_ICONEXCLAMATION);
        return false;
    }
    classes_ = QualityHistogramSettings::read(*system());
    const QualityOptions chosenOptions = options();
    choices.selection = chosenOptions.selection();
    choices.workCenters = chosenOptions.barChart;
    choices.tableMessageIcon = MB_ICONINFORMATION;
    choices.preparing = QStringLiteral("Initializing Printer");
    return true;
}

void frmEmployeeQual::choosePage(PageSetup& setup) const {
    setup.orientation = PrintOrientation::Landscape;
    setup.fontPoints = qualityFontPoints;
    setup.margin = qualityMargin;
}

bool frmEmployeeQual::printReport(TBPrint& printer, ReportPrinter& report,
                                  const ReportFigures& figures) {
    return QualityReport(*system(), options(), figures).print(printer, report);
}

}  // namespace vel
