#include "platform/editshell/ListingPrinter.h"

#include "platform/print/TBPrint.h"

#include <exception>

namespace vel {

ListingPrinter::Result ListingPrinter::print(const std::vector<int>& recordNumbers,
                                             PrintOutput& output) {
    error_.clear();
    printer_.onDeviceInit([this](TBPrint& printer) { events_.EditForm_DeviceInit(printer); });
    printer_.onPrintInit([this](TBPrint& printer) { events_.EditForm_PrintInit(printer); });
    printer_.onPrintHeader([this](TBPrint& printer) { events_.EditForm_PrintHeader(printer); });
    try {
        bool cancel = false;
        events_.EditForm_PrintOptions(printer_, cancel);
        if (cancel) {
            return Result::Cancelled;
        }
        if (!printer_.startJob()) {
            error_ = printer_.lastError();
            return Result::Failed;
        }
        for (int record : recordNumbers) {
            events_.EditForm_PrintRec(printer_, record);
        }
        events_.EditForm_PrintTotals(printer_);
        printer_.endJob();
    } catch (const std::exception& failure) {
        if (printer_.isPrinting()) {
            printer_.endJob();
        }
        error_ = QStringLiteral("Error printing the list: ") + QString::fromUtf8(failure.what());
        return Result::Failed;
    }
    if (!printer_.sendTo(output)) {
        error_ = printer_.lastError();
        return Result::Failed;
    }
    return Result::Printed;
}

}  // namespace vel
