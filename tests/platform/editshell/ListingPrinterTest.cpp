// Printing an editor's list through its print events.
#include "platform/editshell/ListingPrinter.h"
#include "platform/print/TBPrint.h"
#include "platform/print/TextPrintOutput.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

class PrintingEditor : public EditFormEvents {
  public:
    void EditForm_DeviceInit(TBPrint& printer) override {
        events << "DeviceInit";
        printer.setOrientation(PrintOrientation::Landscape);
    }
    void EditForm_PrintInit(TBPrint&) override { events << "PrintInit"; }
    void EditForm_PrintOptions(TBPrint&, bool& cancel) override {
        events << "PrintOptions";
        cancel = cancelOptions;
    }
    void EditForm_PrintHeader(TBPrint& printer) override {
        events << "PrintHeader";
        printer.printLine(QStringLiteral("List of Elements"));
    }
    void EditForm_PrintRec(TBPrint& printer, int record) override {
        if (record == failingRecord) {
            throw std::runtime_error("record unreadable");
        }
        printer.printLine(QStringLiteral("record %1").arg(record));
    }
    void EditForm_PrintTotals(TBPrint& printer) override {
        printer.printLine(QStringLiteral("3 active of 9 maximum"));
    }
    QStringList events;
    bool cancelOptions = false;
    int failingRecord = -1;
};

TEST(ListingPrinter, PrintsRecordsInListOrderBetweenHeaderAndTotals) {
    PrintingEditor editor;
    TBPrint printer;
    TextPrintOutput text;
    ListingPrinter listing(editor, printer);
    ASSERT_EQ(listing.print({7, 2, 5}, text), ListingPrinter::Result::Printed);
    EXPECT_EQ(editor.events,
              (QStringList{"PrintOptions", "DeviceInit", "PrintInit", "PrintHeader"}));
    EXPECT_EQ(text.lines(), (QStringList{"List of Elements", "record 7", "record 2", "record 5",
                                         "3 active of 9 maximum"}));
    EXPECT_EQ(printer.document().setup().orientation, PrintOrientation::Landscape);
}

TEST(ListingPrinter, CancelledOptionsAndFailingRecordsPrintNothing) {
    PrintingEditor editor;
    editor.cancelOptions = true;
    TBPrint printer;
    TextPrintOutput text;
    ListingPrinter cancelled(editor, printer);
    EXPECT_EQ(cancelled.print({1}, text), ListingPrinter::Result::Cancelled);
    EXPECT_EQ(editor.events, (QStringList{"PrintOptions"}));

    editor.cancelOptions = false;
    editor.failingRecord = 2;
    ListingPrinter failing(editor, printer);
    EXPECT_EQ(failing.print({1, 2, 3}, text), ListingPrinter::Result::Failed);
    EXPECT_TRUE(failing.error().contains("record unreadable"));
    EXPECT_TRUE(text.lines().isEmpty()) << "nothing reaches the output";
    EXPECT_FALSE(printer.isPrinting());
    // The printer takes the next job.
    editor.failingRecord = -1;
    EXPECT_EQ(failing.print({4}, text), ListingPrinter::Result::Printed);
    EXPECT_EQ(text.lines().value(1), "record 4");
}

}  // namespace
}  // namespace vel
