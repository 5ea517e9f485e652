#include "editors/TallybookDataCheck.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "data/records/AssociateRecord.h"
#include "platform/editshell/ListingPrinter.h"
#include "platform/print/PrintOutput.h"
#include "platform/print/PrintTable.h"
#include "platform/print/TBPrint.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

namespace vel {

namespace {

const QString reportTitle =
    QStringLiteral("List of Associates with Tallybook Data before their Hire Date");

const std::vector<PrintTable::Column>& reportColumns() {
    static const std::vector<PrintTable::Column> columns{{QStringLiteral("Number"), 6},
                                                         {QStringLiteral("Code"), 10},
                                                         {QStringLiteral("Name"), 28},
                                                         {QStringLiteral("Hire Date"), 10},
                                                         {QStringLiteral("Data"), 30}};
    return columns;
}

QString dateText(const QDate& date) {
    return date.toString(QStringLiteral("yyyy/MM/dd"));
}

}  // namespace

TallybookDataCheck::TallybookDataCheck(VelmorSystem& system) : system_(system) {}

int TallybookDataCheck::message(const QString& text, int style) {
    return MessageWithSound(text, style, system_.Program().title());
}

std::vector<TallybookDataCheck::Finding> TallybookDataCheck::findings() const {
    std::vector<Finding> found;
    auto& associates = system_.associates();
    for (int number = 1; number <= associates.recordCount(); ++number) {
        if (!associates.isActive(number)) {
            continue;
        }
        const AssociateRecord associate = associates.record(number);
        if (!associate.HireDate.isValid()) {
            continue;
        }
        const QList<QDate> dates = system_.associateDataBefore(number, associate.HireDate);
        if (!dates.isEmpty()) {
            found.push_back({number, associate.Code.trimmed(),
                             associate.LastName.trimmed() + QStringLiteral(", ") +
                                 associate.FirstName.trimmed(),
                             associate.HireDate, dates});
        }
    }
    return found;
}

int TallybookDataCheck::run() {
    const std::vector<Finding> found = findings();
    if (!print(found) || found.empty()) {
        return 0;
    }
    if (message(QStringLiteral("OK to clear the data before the HireDate for the Associates "
                               "Listed on the Report?"),
                MB_OKCANCEL | MB_ICONQUESTION) != IDOK) {
        return 0;
    }
    int cleared = 0;
    for (const Finding& finding : found) {
        system_.StatusText(QStringLiteral("Clearing Data for ") + finding.name);
        if (system_.clearAssociateDataBefore(finding.number, finding.hireDate)) {
            ++cleared;
        } else {
            message(QStringLiteral("Could not clear the data of Associate ") + finding.code,
                    MB_ICONEXCLAMATION);
        }
    }
    system_.StatusDone();
    return cleared;
}

bool TallybookDataCheck::print(const std::vector<Finding>& found) {
    PrintOutput* output = installedPrintOutput();
    if (!output) {
        message(QStringLiteral("There is no printer available for the report"), MB_ICONEXCLAMATION);
        return false;
    }
    printed_ = found;
    std::vector<int> lines;
    for (size_t index = 0; index < found.size(); ++index) {
        lines.push_back(int(index));
    }
    TBPrint printer;
    printer.setTitle(reportTitle);
    ListingPrinter listing(*this, printer);
    if (listing.print(lines, *output) == ListingPrinter::Result::Failed) {
        message(listing.error(), MB_ICONEXCLAMATION);
        return false;
    }
    return true;
}

void TallybookDataCheck::EditForm_DeviceInit(TBPrint& printer) {
    system_.standardDeviceSetup(printer);
}

void TallybookDataCheck::EditForm_PrintHeader(TBPrint& printer) {
    system_.standardPageHeader(printer);
    printer.setAlignment(PrintAlignment::Centre);
    printer.printLine(reportTitle, PrintBold);
    printer.setAlignment(PrintAlignment::Left);
    QStringList headings;
    for (const PrintTable::Column& column : reportColumns()) {
        headings << column.heading;
    }
    printer.printLine(PrintTable::textLine(headings, reportColumns()), PrintUnderline);
}

void TallybookDataCheck::EditForm_PrintRec(TBPrint& printer, int index) {
    const Finding& finding = printed_.at(size_t(index));
    const QString data = dateText(finding.dates.first()) + QStringLiteral(" to ") +
                         dateText(finding.dates.last()) + QStringLiteral(", ") +
                         QString::number(finding.dates.size()) + QStringLiteral(" days");
    printer.printLine(PrintTable::textLine({QString::number(finding.number), finding.code,
                                            finding.name, dateText(finding.hireDate), data},
                                           reportColumns()));
}

}  // namespace vel
