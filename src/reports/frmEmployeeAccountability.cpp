#include "reports/frmEmployeeAccountability.h"

#include "data/Masterfile.h"
#include "data/ProgramObject.h"
#include "data/RecordedWork.h"
#include "data/VelmorSystem.h"
#include "platform/print/TBPrint.h"
#include "platform/transfer/ExportTypeChoice.h"
#include "reports/AccountabilityExport.h"
#include "reports/AccountabilityLines.h"
#include "reports/AccountabilityPrinter.h"
#include "reports/ReportTables.h"
#include "services/ErrorReport.h"
#include "services/IniSettings.h"
#include "services/MessageWithSound.h"
#include "services/ShowLikeModal.h"
#include "ui/Button.h"
#include "ui/CheckBox.h"
#include "ui/ComboBox.h"
#include "ui/Frame.h"
#include "ui/NumberBox.h"
#include "ui/OptionButton.h"
#include "ui/TabStrip.h"
#include "ui/TextBox.h"

namespace vel {

namespace {

const QString ppaCaption =
    QStringLiteral("Only Include Activities that are included in PPA Calculations");

}  // namespace

frmEmployeeAccountability::frmEmployeeAccountability()
    : Form(QStringLiteral("frmEmployeeAccountability"),
           QStringLiteral("Print Associate Accountability/Recognition Reports")) {
    auto& strip = tabStrip(QStringLiteral("TabStrip1"));
    auto& report = strip.page(QStringLiteral("Report"), QStringLiteral("Which report and period"));
    const QString lengths[] = {QStringLiteral("Weekly Associate Accountability Report"),
                               QStringLiteral("Monthly Associate Recognition Report"),
                               QStringLiteral("Quarterly Associate Recognition Report")};
    for (int length = WeeklyReport; length <= QuarterlyReport; ++length) {
        length_[size_t(length)] =
            &report.option(QStringLiteral("optLength"), length, lengths[length - WeeklyReport])
                 .clicked([this, length] { BuildDateList(length); });
    }
    auto& period =
        report.frame(QStringLiteral("fraCalendar"), QStringLiteral("Period for Report:"));
    calendar_ = &period.comboBox(QStringLiteral("Calendar"), QStringLiteral("Week:"));

    auto& options = strip.page(QStringLiteral("Options"),
                               QStringLiteral("Activities and minimum hours of each report"));
    const QString frames[] = {QStringLiteral("Weekly Report"), QStringLiteral("Monthly Report"),
                              QStringLiteral("Quarterly Report")};
    for (int length = WeeklyReport; length <= QuarterlyReport; ++length) {
        auto& frame =
            options.frame(QStringLiteral("fraLength"), length, frames[length - WeeklyReport]);
        ppa_[size_t(length)] = &frame.checkBox(QStringLiteral("chkPPA"), length, ppaCaption);
        numbers_[size_t(length)] = &frame
                                        .numberBox(QStringLiteral("NumberBox1"), length,
                                                   QStringLiteral("Minimum Measured Hours:"))
                                        .range(0, 9999)
                                        .decimals(2);
    }

    auto& rampUp = strip.page(QStringLiteral("Ramp Up"),
                              QStringLiteral("When an associate counts as ramped up"));
    numbers_[5] =
        &rampUp.numberBox(QStringLiteral("NumberBox1"), 5, QStringLiteral("Ramp Up &Hours:"))
             .range(0, 9999)
             .decimals(2);
    numbers_[6] =
        &rampUp.numberBox(QStringLiteral("NumberBox1"), 6, QStringLiteral("Ramp Up &Weeks:"))
             .range(0, 520);
    numbers_[7] =
        &rampUp
             .numberBox(QStringLiteral("NumberBox1"), 7, QStringLiteral("&Clear Weeks at the End:"))
             .range(0, 520);

    auto& order = strip.page(QStringLiteral("Grouping and Sort"),
                             QStringLiteral("How the associates are grouped and sorted"));
    auto& groups = order.frame(QStringLiteral("fraGroup"), QStringLiteral("Grouping"));
    groups.option(QStringLiteral("optGroup"), 0, QStringLiteral("N&one")).setValue(true);
    groups.option(QStringLiteral("optGroup"), 1, QStringLiteral("&Home Work Center"));
    groups.option(QStringLiteral("optGroup"), 2, QStringLiteral("Primary &Grouping"));
    auto& sorts = order.frame(QStringLiteral("fraType"), QStringLiteral("Sort"));
    sorts.option(QStringLiteral("optType"), 0, QStringLiteral("&Name")).setValue(true);
    sorts.option(QStringLiteral("optType"), 1, QStringLiteral("&This Week's Performance"));
    sorts.option(QStringLiteral("optType"), 2, QStringLiteral("&Ramp Up Period's Performance"));
    summary_ = &order.checkBox(QStringLiteral("optSummary"), QStringLiteral("Only Summary Lines"));

    auto& file = strip.page(QStringLiteral("Export"), QStringLiteral("Where the export goes"));
    fileName_ = &file.textBox(QStringLiteral("txtFilename"), QStringLiteral("&File Name:"));
    type_ = &file.comboBox(QStringLiteral("cboType"), QStringLiteral("&Type of Export:"));
    for (const ExportOutputType& type : choosableOutputTypes()) {
        type_->addItem(outputTypeChoiceText(type));
    }
    systemId_ = &file.textBox(QStringLiteral("txtSystemID"), QStringLiteral("&System ID:"));

    auto& buttons = line();
    buttons.button(QStringLiteral("SaveButtons1"), 0, QStringLiteral("&Close"))
        .makeCancel()
        .clicked([this] { unload(); });
    buttons.button(QStringLiteral("SaveButtons1"), 1, QStringLiteral("&Print")).clicked([this] {
        run(Output::Print);
    });
    buttons.button(QStringLiteral("SaveButtons1"), 2, QStringLiteral("&View"))
        .makeDefault()
        .clicked([this] { run(Output::View); });
    buttons.button(QStringLiteral("SaveButtons1"), 3, QStringLiteral("&Export")).clicked([this] {
        run(Output::Export);
    });
}

bool frmEmployeeAccountability::PrintReport(quintptr hwndOwner, VelmorSystem& Velmor) {
    system_ = &Velmor;
    owner_ = hwndOwner;
    bool shown = false;
    guarded(QStringLiteral(" - frmEmployeeAccountability:PrintReport"), shown, [&] {
        prepare();
        shown = true;
        ShowLikeModal(*this, hwndOwner);
        unload();
    });
    system_ = nullptr;
    return shown;
}

void frmEmployeeAccountability::prepare() {
    IniSettings store(system_->settingsLocation());
    const AccountabilitySettings settings =
        AccountabilitySettings::read(store, system_->Program().dataFolder());
    for (int length = WeeklyReport; length <= QuarterlyReport; ++length) {
        ppa_[size_t(length)]->setChecked(settings.ppaOnly(length));
        numbers_[size_t(length)]->setValue(settings.minimumHours(length));
    }
    numbers_[5]->setValue(settings.rampUpHours);
    numbers_[6]->setValue(settings.rampUpWeeks);
    numbers_[7]->setValue(settings.rampUpClearWeeks);
    fileName_->setText(settings.fileName);
    systemId_->setText(settings.systemId);
    const auto wanted = ExportOutputType::find(settings.type);
    const QList<ExportOutputType> types = choosableOutputTypes();
    for (qsizetype index = 0; index < types.size(); ++index) {
        if ((wanted && types[index].name == wanted->name) ||
            (!wanted && types[index].name == QStringLiteral("CSV"))) {
            type_->setListIndex(int(index));
        }
    }
    length_[WeeklyReport]->setValue(true);
    BuildDateList(WeeklyReport);
}

void frmEmployeeAccountability::BuildDateList(int length) {
    RecordedWork& work = system_->recordedWork();
    QDate first = work.firstDate();
    QDate last = work.lastDate();
    if (!first.isValid() || !last.isValid()) {
        last = QDate::currentDate();
        first = last.addYears(-1);
    }
    dates_ = vel::BuildDateList(length, work.fiscalCalendar(), first, last);
    calendar_->setCaption(calendarHeading(length) + u':');
    calendar_->clear();
    for (const CalendarEntry& entry : dates_) {
        calendar_->addItem(entry.text);
    }
    calendar_->setListIndex(dates_.empty() ? -1 : 0);
}

int frmEmployeeAccountability::selectedLength() const {
    for (int length = WeeklyReport; length <= QuarterlyReport; ++length) {
        if (length_[size_t(length)]->value()) {
            return length;
        }
    }
    return WeeklyReport;
}

AccountabilitySettings frmEmployeeAccountability::readOptions() const {
    AccountabilitySettings settings;
    settings.currentWeekHours = numbers_[WeeklyReport]->value();
    settings.currentMonthHours = numbers_[MonthlyReport]->value();
    settings.currentQuarterHours = numbers_[QuarterlyReport]->value();
    settings.ppaOnlyInWeek = ppa_[WeeklyReport]->checked();
    settings.ppaOnlyInMonth = ppa_[MonthlyReport]->checked();
    settings.ppaOnlyInQuarter = ppa_[QuarterlyReport]->checked();
    settings.rampUpHours = numbers_[5]->value();
    settings.rampUpWeeks = int(numbers_[6]->value());
    settings.rampUpClearWeeks = int(numbers_[7]->value());
    settings.fileName = fileName_->text().trimmed();
    settings.type = choosableOutputTypes().value(type_->listIndex()).name;
    if (settings.type.isEmpty()) {
        settings.type = QStringLiteral("CSV");
    }
    settings.systemId = systemId_->text().trimmed();
    return settings;
}

void frmEmployeeAccountability::run(Output output) {
    const QString title = system_->Program().title();
    const int chosen = calendar_->listIndex();
    if (chosen < 0 || size_t(chosen) >= dates_.size()) {
        MessageWithSound(QStringLiteral("There is no period to report on: no work has been "
                                        "recorded yet."),
                         MB_OK | MB_ICONEXCLAMATION, title);
        return;
    }
    const AccountabilitySettings settings = readOptions();
    if (output == Output::Export && settings.fileName.isEmpty()) {
        MessageWithSound(QStringLiteral("Please enter the name of the export file."),
                         MB_OK | MB_ICONEXCLAMATION, title);
        return;
    }
    IniSettings store(system_->settingsLocation());
    settings.write(store);

    guarded(QStringLiteral(" - frmEmployeeAccountability:PrintReport"), [&] {
        const int length = selectedLength();
        const AccountabilityPeriod period =
            accountabilityPeriod(length, dates_[size_t(chosen)].ending,
                                 system_->recordedWork().fiscalCalendar(), settings);
        const auto grouping =
            ReportGrouping(std::max(selectedOption(*this, QStringLiteral("optGroup")), 0));
        const auto sort =
            AccountabilitySort(std::max(selectedOption(*this, QStringLiteral("optType")), 0));
        AccountabilityReport report;
        try {
            report = buildAccountabilityReport(*system_, period, settings, grouping, sort);
        } catch (const ReportTableError& failure) {
            system_->StatusDone();
            MessageWithSound(failure.message(), MB_OK | MB_ICONEXCLAMATION, title);
            return;
        }
        if (output == Output::Export) {
            exportReport(report, settings);
        } else {
            printReport(report, output == Output::Print);
        }
        system_->StatusDone();
    });
}

void frmEmployeeAccountability::exportReport(const AccountabilityReport& report,
                                             const AccountabilitySettings& settings) {
    system_->StatusText(QStringLiteral("Exporting Data"));
    const ExportStatus status =
        exportAccountability(report, settings.systemId, settings.type, settings.fileName);
    if (!status.ok()) {
        MessageWithSound(QStringLiteral("The report could not be exported: ") + status.message(),
                         MB_OK | MB_ICONEXCLAMATION, system_->Program().title());
        return;
    }
    MessageWithSound(QStringLiteral("The report has been exported to ") + settings.fileName,
                     MB_OK | MB_ICONINFORMATION, system_->Program().title());
}

void frmEmployeeAccountability::printReport(const AccountabilityReport& report, bool toPrinter) {
    system_->StatusText(QStringLiteral("Printing Data"));
    TBPrint printer;
    AccountabilityPrinter pages(*system_, report, summary_->checked());
    if (!pages.print(printer)) {
        MessageWithSound(QStringLiteral("The report could not be printed: ") + printer.lastError(),
                         MB_OK | MB_ICONEXCLAMATION, system_->Program().title());
        return;
    }
    PrintOutput* output = installedPrintOutput();
    QString error;
    if (!output) {
        error = QStringLiteral("There is no printer available for the report");
    } else if (!output->outputTo(printer.document(),
                                 toPrinter ? PrintDestination::Printer : PrintDestination::Preview,
                                 error)) {
        error = error.isEmpty() ? QStringLiteral("The report could not be printed") : error;
    } else {
        return;
    }
    MessageWithSound(error, MB_OK | MB_ICONEXCLAMATION, system_->Program().title());
}

}  // namespace vel
