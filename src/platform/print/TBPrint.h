#pragma once
// TBPrint: the printer object of the reports and the editor lists. A job starts with the
// DeviceInit event (the handler sets up the device: page size, orientation, font), then
// PrintInit; PrintHeader runs at the top of every page, the first included. Lines, separators,
// tables and drawings flow onto pages of the chosen size; a line that does not fit starts a new
// page. The finished document goes to a PrintOutput (PDF, plain text, preview, printer).
//
//     TBPrint printer;
//     printer.onPrintHeader([](TBPrint& p) { p.setAlignment(PrintAlignment::Centre);
//                                            p.printLine("List of Mistakes", PrintBold); });
//     printer.startJob();
//     printer.printLine("1  Wrong pick");
//     printer.sendTo(output);
//
// Every operation returns a result; a failure leaves its message in lastError().
#include "platform/print/PrintDocument.h"
#include "platform/print/PrintOutput.h"
#include "platform/print/PrintTable.h"

#include <functional>

namespace vel {

class TBPrint {
  public:
    using Event = std::function<void(TBPrint& printer)>;

    TBPrint() = default;
    TBPrint(const TBPrint&) = delete;
    TBPrint& operator=(const TBPrint&) = delete;

    // The events: DeviceInit, PrintInit, PrintHeader.
    void onDeviceInit(Event handler) { deviceInit_ = std::move(handler); }
    void onPrintInit(Event handler) { printInit_ = std::move(handler); }
    void onPrintHeader(Event handler) { printHeader_ = std::move(handler); }

    // Device set-up; changes take effect when the job starts (DeviceInit may still change it).
    PageSetup& pageSetup() { return setup_; }
    void setOrientation(PrintOrientation orientation) { setup_.orientation = orientation; }
    void setTitle(const QString& title) { title_ = title; }

    // Starts a job: DeviceInit, PrintInit, the first page and its header. Printing without a
    // started job starts one.
    bool startJob();
    // Ends the job; the document stays readable until the next job starts.
    bool endJob();
    bool isPrinting() const { return printing_; }

    bool printLine(const QString& text, int style = PrintPlain);
    void setAlignment(PrintAlignment alignment) { alignment_ = alignment; }
    PrintAlignment alignment() const { return alignment_; }
    // Ends the page and starts the next with its header. A page with nothing below its header
    // is not ended again (no blank pages); inside PrintHeader it does nothing.
    bool newPage();
    bool separator();
    void setOutputMode(PrintOutputMode mode) { outputMode_ = mode; }
    PrintOutputMode outputMode() const { return outputMode_; }

    // The table object: set columns and cells, then printTable() lays it out and clears it.
    PrintTable& table() { return table_; }
    bool printTable();
    // One row of cells under the columns, aligned as the table's rows are (a listing's line).
    bool printRow(const QStringList& cells, const std::vector<PrintTable::Column>& columns,
                  int style = PrintPlain);

    // Reserves a block of the given height on the page (a new page when it does not fit) and
    // answers its drawing surface, as wide as the printable area. A height of 0 or less takes
    // the rest of the page in graphics mode and one line in text mode. nullptr on failure.
    DrawingSurface* drawing(int height);
    // A drawing surface over the last line printed (a table row with a bar beside its figures):
    // as wide as the printable area and as high as the line, painted after the line's text. The
    // text rendering keeps the line and leaves the drawing out. nullptr when nothing is printed.
    DrawingSurface* overlay();

    int pageNumber() const { return document_.pageCount(); }
    // Height left on the current page below what is printed.
    int remainingHeight() const;

    const PrintDocument& document() const { return document_; }
    // Ends the job when it is still open and hands the document to the output.
    bool sendTo(PrintOutput& output);
    const QString& lastError() const { return lastError_; }

  private:
    bool ensureJob();
    void startPage();
    bool fits(int height) const;
    bool place(PrintElement element);
    bool fail(const QString& message);

    Event deviceInit_;
    Event printInit_;
    Event printHeader_;
    PageSetup setup_;
    QString title_;
    PrintDocument document_;
    PrintTable table_;
    PrintAlignment alignment_ = PrintAlignment::Left;
    PrintOutputMode outputMode_ = PrintOutputMode::Text;
    bool printing_ = false;
    bool inHeader_ = false;
    int y_ = 0;
    QString lastError_;
};

}  // namespace vel
