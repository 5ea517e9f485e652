// The printer object: events, pagination with a header on every page, tables, drawing.
#include "platform/print/TBPrint.h"
#include "platform/print/TextPrintOutput.h"

#include <gtest/gtest.h>

namespace vel {
namespace {

int linesPerPage(const PageSetup& setup) {
    return setup.printableHeight() / setup.lineHeight();
}

int countOf(const QStringList& lines, const QString& text) {
    return int(lines.count(text));
}

TEST(TBPrint, RaisesDeviceInitThenPrintInitThenAHeaderOnEveryPage) {
    TBPrint printer;
    QStringList events;
    printer.onDeviceInit([&](TBPrint& p) {
        events << "DeviceInit";
        p.pageSetup().orientation = PrintOrientation::Landscape;  // takes effect for the job
    });
    printer.onPrintInit([&](TBPrint&) { events << "PrintInit"; });
    printer.onPrintHeader([&](TBPrint& p) {
        events << QStringLiteral("PrintHeader %1").arg(p.pageNumber());
        p.setAlignment(PrintAlignment::Centre);
        p.printLine(QStringLiteral("Report Title"), PrintBold);
        p.printLine(QString());
    });
    ASSERT_TRUE(printer.startJob());
    const PageSetup& setup = printer.document().setup();
    ASSERT_EQ(setup.orientation, PrintOrientation::Landscape);
    EXPECT_GT(setup.pageWidth(), setup.pageHeight());

    const int body = linesPerPage(setup) - 2;  // two header lines per page
    for (int i = 1; i <= 2 * body + 1; ++i) {
        ASSERT_TRUE(printer.printLine(QStringLiteral("line %1").arg(i)));
    }
    EXPECT_EQ(events, (QStringList{"DeviceInit", "PrintInit", "PrintHeader 1", "PrintHeader 2",
                                   "PrintHeader 3"}));
    TextPrintOutput text;
    ASSERT_TRUE(printer.sendTo(text));
    EXPECT_FALSE(printer.isPrinting());
    const QStringList& lines = text.lines();
    EXPECT_EQ(countOf(lines, "Report Title"), 3);
    EXPECT_EQ(countOf(lines, "\f"), 2);
    // Page 2 starts with its header, then the first line that did not fit on page 1.
    const qsizetype page2 = lines.indexOf("\f") + 1;
    EXPECT_EQ(lines.mid(page2, 3),
              (QStringList{"Report Title", "", QStringLiteral("line %1").arg(body + 1)}));
    EXPECT_EQ(lines.last(), QStringLiteral("line %1").arg(2 * body + 1));

    // The header's centring does not leak into the body; every body line is left-aligned.
    for (const PrintPage& page : printer.document().pages()) {
        EXPECT_EQ(page.elements.front().alignment, PrintAlignment::Centre);
        EXPECT_EQ(page.elements.back().alignment, PrintAlignment::Left);
        EXPECT_LE(page.elements.back().top + page.elements.back().height, setup.printableHeight());
    }
}

TEST(TBPrint, NewPageAndSeparatorAndStylesAndNoBlankPages) {
    TBPrint printer;
    int headers = 0;
    printer.onPrintHeader([&](TBPrint& p) {
        ++headers;
        p.newPage();  // ignored inside the header
        p.printLine(QStringLiteral("Heading"));
    });
    // Printing without a started job starts one.
    ASSERT_TRUE(printer.printLine(QStringLiteral("dated"), PrintEmphasised));
    ASSERT_TRUE(printer.separator());
    ASSERT_TRUE(printer.newPage());
    ASSERT_TRUE(printer.newPage());  // the new page holds only its header: no blank page
    printer.setAlignment(PrintAlignment::Right);
    ASSERT_TRUE(printer.printLine(QStringLiteral("right")));
    EXPECT_EQ(headers, 2);
    ASSERT_EQ(printer.document().pageCount(), 2);
    const PrintElement& dated = printer.document().pages()[0].elements[1];
    EXPECT_EQ(dated.style, PrintEmphasised);
    EXPECT_EQ(printer.document().pages()[1].elements[1].alignment, PrintAlignment::Right);

    const QStringList lines = printer.document().textLines();
    const QString rule(printer.document().setup().charactersPerLine(), u'-');
    EXPECT_EQ(lines, (QStringList{"Heading", "dated", rule, "\f", "Heading", "right"}));
    EXPECT_FALSE(printer.startJob()) << "a second job while one runs";
    EXPECT_FALSE(printer.lastError().isEmpty());
}

TEST(TBPrint, TablesPrintAsColumnsAndRepeatTheirHeadingsOnANewPage) {
    TBPrint printer;
    printer.onPrintHeader([](TBPrint& p) { p.printLine(QStringLiteral("List of Mistakes")); });
    PrintTable& table = printer.table();
    EXPECT_FALSE(table.setCell(0, 1, QStringLiteral("x")));
    EXPECT_FALSE(table.setColumn(0, QStringLiteral("x"), 3));
    ASSERT_TRUE(table.setColumn(1, QStringLiteral("Number"), 6, PrintAlignment::Right));
    ASSERT_TRUE(table.setColumn(2, QStringLiteral("Description"), 20));
    const int rows = linesPerPage(printer.pageSetup()) + 5;
    for (int row = 1; row <= rows; ++row) {
        table.setCell(row, 1, QString::number(row));
        table.setCell(row, 2, QStringLiteral("Mistake %1").arg(row));
    }
    table.setCell(3, 3, QStringLiteral("extra"));  // a cell beyond the declared columns
    ASSERT_TRUE(printer.printTable());
    EXPECT_EQ(printer.table().rowCount(), 0) << "printing clears the table object";

    const QStringList lines = printer.document().textLines();
    EXPECT_EQ(lines[1], "Number  Description");
    EXPECT_EQ(lines[2], "     1  Mistake 1");
    EXPECT_EQ(lines[4], QStringLiteral("     3  %1  extra").arg("Mistake 3", -20));
    ASSERT_EQ(printer.document().pageCount(), 2);
    const qsizetype page2 = lines.indexOf("\f") + 1;
    EXPECT_EQ(lines[page2], "List of Mistakes");
    EXPECT_EQ(lines[page2 + 1], "Number  Description");
    EXPECT_EQ(lines.last(), QStringLiteral("%1  Mistake %2").arg(rows, 6).arg(rows));
    EXPECT_EQ(countOf(lines, "Number  Description"), 2);
}

TEST(TBPrint, DrawingSurfaceAnswersPenWidthsAndCachesPens) {
    TBPrint printer;
    DrawingSurface* bars = printer.drawing(PrintUnitsPerInch);
    ASSERT_NE(bars, nullptr);
    EXPECT_EQ(bars->width(), printer.document().setup().printableWidth());
    EXPECT_EQ(bars->penWidthInDeviceUnits(0.5), 1);
    EXPECT_EQ(bars->penWidthInDeviceUnits(1), 6);
    EXPECT_EQ(bars->penWidthInDeviceUnits(0.25 + 1), 8);  // 7.5 rounds up
    EXPECT_EQ(bars->penWidthInDeviceUnits(1.0 / 12), 1);
    EXPECT_TRUE(bars->selectPen(6, DrawingSurface::PenStyle::Solid, Qt::black));
    EXPECT_FALSE(bars->selectPen(6, DrawingSurface::PenStyle::Solid, Qt::black));
    EXPECT_TRUE(bars->selectPen(6, DrawingSurface::PenStyle::Dot, Qt::black));
    EXPECT_EQ(bars->pensMade(), 2);
    bars->drawLine(0, 0, 100, 0, 3);
    bars->drawLine(0, 0, 100, 0, 0);
    bars->fillRectangle(QRect(10, 10, 50, 200), Qt::blue);
    EXPECT_EQ(bars->shapes().size(), 4u);
    EXPECT_EQ(bars->textWidth(QString()), 0);
    EXPECT_GT(bars->textWidth(QStringLiteral("WWW")), bars->textWidth(QStringLiteral("W")));

    // Graphics mode: a drawing without a height takes the rest of the page.
    printer.setOutputMode(PrintOutputMode::Graphics);
    const int left = printer.remainingHeight();
    DrawingSurface* chart = printer.drawing(0);
    ASSERT_NE(chart, nullptr);
    EXPECT_EQ(chart->height(), left);
    EXPECT_EQ(printer.remainingHeight(), 0);
    printer.setOutputMode(PrintOutputMode::Text);
    printer.printLine(QStringLiteral("after the chart"));
    EXPECT_EQ(printer.document().pageCount(), 2);
    EXPECT_EQ(printer.document().textLines(), (QStringList{"\f", "after the chart"}));

    // A character-stream device has no pens.
    TBPrint stream;
    stream.pageSetup().characterStream = true;
    DrawingSurface* plain = stream.drawing(100);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(plain->penWidthInDeviceUnits(10), 0);
    EXPECT_EQ(plain->textWidth(QStringLiteral("abc")), 3);
}

TEST(TBPrint, AnOverlayDrawsBesideAPrintedRowWithoutTakingALine) {
    TBPrint printer;
    EXPECT_EQ(printer.overlay(), nullptr) << "nothing printed yet";
    const std::vector<PrintTable::Column> columns{{QStringLiteral("Associate"), 12}};
    printer.printRow({QStringLiteral("Baker")}, columns);
    const int left = printer.remainingHeight();
    DrawingSurface* bar = printer.overlay();
    ASSERT_NE(bar, nullptr);
    EXPECT_EQ(bar->height(), printer.document().setup().lineHeight());
    EXPECT_EQ(bar->width(), printer.document().setup().printableWidth());
    EXPECT_EQ(printer.overlay(), bar) << "the same surface for the same line";
    bar->fillRectangle(QRect(1000, 10, 400, 50), Qt::darkBlue);
    EXPECT_EQ(printer.remainingHeight(), left);
    printer.printRow({QStringLiteral("Clark")}, columns);
    EXPECT_NE(printer.overlay(), bar);
    EXPECT_EQ(printer.document().textLines(), (QStringList{"Baker", "Clark"}));
    const PrintElement& first = printer.document().pages()[0].elements[0];
    ASSERT_TRUE(first.drawing);
    EXPECT_EQ(first.drawing->shapes().size(), 1u);
}

TEST(TBPrint, AFailingHeaderOrAnEmptyJobGivesAnErrorNotACrash) {
    TBPrint printer;
    printer.onPrintInit([](TBPrint&) { throw std::runtime_error("no device"); });
    EXPECT_FALSE(printer.startJob());
    EXPECT_TRUE(printer.lastError().contains("no device"));
    EXPECT_FALSE(printer.isPrinting());

    TBPrint empty;
    TextPrintOutput text;
    EXPECT_FALSE(empty.sendTo(text));
    EXPECT_EQ(empty.lastError(), "There is nothing to print");
}

}  // namespace
}  // namespace vel
