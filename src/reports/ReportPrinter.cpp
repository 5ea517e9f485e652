#include "reports/ReportPrinter.h"

#include "data/ProgramObject.h"
#include "data/VelmorSystem.h"
#include "platform/print/TBPrint.h"
#include "reports/PrintAPIs.h"
#include "services/MessageWithSound.h"
#include "ui/MessageBoxCodes.h"

namespace vel {

ReportPrinter::ReportPrinter(VelmorSystem& system, TBPrint& printer)
    : system_(system), printer_(printer) {
    printer_.onDeviceInit([this](TBPrint& p) { Printer_DeviceInit(p); });
    printer_.onPrintInit([this](TBPrint& p) { Printer_PrintInit(p); });
    printer_.onPrintHeader([this](TBPrint& p) { Printer_PrintHeader(p); });
}

void ReportPrinter::setColumnHeadings(const std::vector<PrintTable::Column>& columns,
                                      const std::vector<QStringList>& lines) {
    columns_ = columns;
    headingLines_ = lines;
}

bool ReportPrinter::printColumnHeadings() {
    bool printed = true;
    for (const QStringList& line : headingLines_) {
        printed = printer_.printRow(line, columns_, PrintBold) && printed;
    }
    if (printed && headingDrawing_ && !headingLines_.empty()) {
        if (DrawingSurface* surface = printer_.overlay()) {
            headingDrawing_(*surface);
        }
    }
    return printed;
}

bool ReportPrinter::printSectionHeading() {
    bool printed = true;
    const PrintAlignment kept = printer_.alignment();
    for (const SectionLine& line : sectionLines_) {
        printer_.setAlignment(line.alignment);
        printed = printer_.printLine(line.text, PrintBold) && printed;
    }
    printer_.setAlignment(kept);
    return printColumnHeadings() && printed;
}

void ReportPrinter::Printer_DeviceInit(TBPrint& printer) {
    system_.standardDeviceSetup(printer);
    if (!heading_.title.isEmpty()) {
        printer.setTitle(heading_.title);  // names the preview window and the PDF
    }
    if (choices_) {
        choices_(printer.pageSetup());
    }
}

void ReportPrinter::Printer_PrintInit(TBPrint&) {
    PrintAPIs::ResetPenCache();  // pens belong to one job's surfaces
}

void ReportPrinter::Printer_PrintHeader(TBPrint& printer) {
    system_.standardPageHeader(printer);
    printer.setAlignment(PrintAlignment::Centre);
    printer.printLine(heading_.title, PrintBold);
    for (const QString& subtitle : heading_.subtitles) {
        printer.printLine(subtitle, PrintPlain);
    }
    if (!heading_.dateLine.isEmpty()) {
        printer.printLine(heading_.dateLine, PrintEmphasised);
    }
    if (!heading_.sortLine.isEmpty()) {
        printer.printLine(heading_.sortLine, PrintPlain);
    }
    printer.setAlignment(PrintAlignment::Left);
    printer.printLine(QString());
    printSectionHeading();
    if (!continuation_.isEmpty()) {
        printer.printLine(continuation_, PrintBold);
    }
}

bool ReportPrinter::send(PrintDestination destination) {
    lastError_.clear();
    PrintOutput* output = installedPrintOutput();
    if (!output) {
        lastError_ = QStringLiteral("There is no printer available for the report");
    } else if (!printer_.document().isEmpty() || printer_.isPrinting()) {
        if (printer_.isPrinting()) {
            printer_.endJob();
        }
        QString error;
        if (!output->outputTo(printer_.document(), destination, error)) {
            lastError_ = error;
        }
    } else {
        lastError_ = QStringLiteral("There is nothing to print");
    }
    if (lastError_.isEmpty()) {
        return true;
    }
    MessageWithSound(lastError_, MB_OK | MB_ICONEXCLAMATION, system_.Program().title());
    return false;
}

}  // namespace vel
