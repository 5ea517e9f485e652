// The back ends of the printer object: PDF file and plain-text file.
#include "platform/print/PageRenderer.h"
#include "platform/print/PdfFileOutput.h"
#include "platform/print/PdfPrintOutput.h"
#include "platform/print/TBPrint.h"
#include "platform/print/TextPrintOutput.h"

#include <gtest/gtest.h>
#include <QFile>
#include <QFileInfo>
#include <QPdfWriter>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

namespace vel {
namespace {

// A two-page job with a heading on each page, a table, a separator and a bar chart.
void printSample(TBPrint& printer) {
    printer.onPrintHeader([](TBPrint& p) {
        p.setAlignment(PrintAlignment::Centre);
        p.printLine(QStringLiteral("Associate History"), PrintBold);
        p.printLine(QStringLiteral("Page %1").arg(p.pageNumber()), PrintEmphasised);
    });
    printer.setTitle(QStringLiteral("Associate History"));
    printer.printLine(QStringLiteral("first page body"));
    printer.separator();
    printer.table().setColumn(1, QStringLiteral("Code"), 8);
    printer.table().setCell(1, 1, QStringLiteral("PICK"));
    printer.printTable();
    DrawingSurface* chart = printer.drawing(PrintUnitsPerInch);
    chart->selectPen(chart->penWidthInDeviceUnits(2), DrawingSurface::PenStyle::Solid, Qt::black);
    chart->fillRectangle(QRect(0, 100, 300, 400), Qt::darkGreen, true);
    chart->drawLine(0, 500, 3000, 500, 2);
    printer.newPage();
    printer.printLine(QStringLiteral("second page body"));
}

QString pdfText(const QString& path) {
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, "-"});
    pdftotext.waitForFinished(30000);
    return QString::fromUtf8(pdftotext.readAllStandardOutput());
}

TEST(PrintOutput, PdfHoldsEveryPageWithItsHeadingAndReplacesAnOldFile) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.pdf"));
    {
        QFile old(path);
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write("old contents");
    }
    TBPrint printer;
    printSample(printer);
    PdfPrintOutput pdf(path);
    ASSERT_TRUE(printer.sendTo(pdf)) << printer.lastError().toStdString();
    EXPECT_GT(QFileInfo(path).size(), 1000);
    EXPECT_FALSE(QFile::exists(path + QStringLiteral(".part")));
    QFile written(path);
    ASSERT_TRUE(written.open(QIODevice::ReadOnly));
    EXPECT_TRUE(written.read(5).startsWith("%PDF"));

    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    const QString text = pdfText(path);
    EXPECT_EQ(text.count(QStringLiteral("Associate History")), 2);
    EXPECT_TRUE(text.contains(QStringLiteral("Page 2")));
    EXPECT_TRUE(text.contains(QStringLiteral("first page body"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("PICK")));
    EXPECT_EQ(text.count(u'\f'), 2) << "two pages, each ended by a form feed";
}

TEST(PrintOutput, AnUnattendedRunWritesEachPrintOutToItsOwnPdf) {
    QTemporaryDir folder;
    const QString named = folder.filePath(QStringLiteral("report.pdf"));
    PdfFileOutput series(named, folder.path());
    QStringList told;
    series.onWritten([&](const QString& path) { told << path; });
    for (int run = 0; run < 3; ++run) {
        TBPrint printer;
        printSample(printer);
        ASSERT_TRUE(printer.sendTo(series)) << printer.lastError().toStdString();
    }
    const QStringList expected{named, folder.filePath(QStringLiteral("report-2.pdf")),
                               folder.filePath(QStringLiteral("report-3.pdf"))};
    EXPECT_EQ(series.written(), expected);
    EXPECT_EQ(told, expected);
    for (const QString& path : expected) {
        EXPECT_GT(QFileInfo(path).size(), 1000) << path.toStdString();
    }

    PdfFileOutput byTitle(QString(), folder.path());
    EXPECT_EQ(
        byTitle.nextPath(QStringLiteral("Associate Performance Analysis - Last 13 Weeks")),
        folder.filePath(QStringLiteral("Associate Performance Analysis - Last 13 Weeks.pdf")));
    EXPECT_EQ(byTitle.nextPath(QStringLiteral("Costs: A/B \"C\"")),
              folder.filePath(QStringLiteral("Costs- A-B -C-.pdf")));
    EXPECT_EQ(byTitle.nextPath(QStringLiteral("  ")),
              folder.filePath(QStringLiteral("Velmor print-out.pdf")));
    TBPrint printer;
    printSample(printer);
    ASSERT_TRUE(printer.sendTo(byTitle));
    EXPECT_TRUE(QFileInfo::exists(folder.filePath(QStringLiteral("Associate History.pdf"))));
}

TEST(PrintOutput, APageRangePaintsOnlyThosePages) {
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()) {
        GTEST_SKIP() << "pdftotext (poppler-utils) is not installed";
    }
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("page2.pdf"));
    TBPrint printer;
    printSample(printer);
    printer.endJob();
    QString error;
    {
        QPdfWriter writer(path);
        PageRenderer renderer(printer.document());
        ASSERT_TRUE(renderer.prepare(writer, error));
        ASSERT_TRUE(renderer.paint(writer, error, 2, 7)) << error.toStdString();
    }
    const QString text = pdfText(path);
    EXPECT_TRUE(text.contains(QStringLiteral("second page body")));
    EXPECT_FALSE(text.contains(QStringLiteral("first page body")));
    EXPECT_EQ(text.count(u'\f'), 1);
}

TEST(PrintOutput, UnwritableTargetsFailWithTheFileName) {
    TBPrint printer;
    printSample(printer);
    const QString missing = QStringLiteral("/nonexistent-folder/out.pdf");
    PdfPrintOutput pdf(missing);
    EXPECT_FALSE(printer.sendTo(pdf));
    EXPECT_TRUE(printer.lastError().contains(missing));
    TextPrintOutput text(QStringLiteral("/nonexistent-folder/out.txt"));
    EXPECT_FALSE(printer.sendTo(text));
    EXPECT_TRUE(printer.lastError().contains(QStringLiteral("out.txt")));
}

TEST(PrintOutput, TextFileHoldsOneLinePerPrintedLine) {
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("history.txt"));
    TBPrint printer;
    printSample(printer);
    TextPrintOutput text(path);
    ASSERT_TRUE(printer.sendTo(text));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QStringList lines = QString::fromUtf8(file.readAll()).split(u'\n');
    const QString rule(printer.document().setup().charactersPerLine(), u'-');
    EXPECT_EQ(lines,
              (QStringList{"Associate History", "Page 1", "first page body", rule, "Code", "PICK",
                           "\f", "Associate History", "Page 2", "second page body", ""}));
}

}  // namespace
}  // namespace vel
