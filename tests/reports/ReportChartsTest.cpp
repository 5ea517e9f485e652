// The histogram classes and the bar-chart geometry of the associate reports, and the chart
// pages as the printer object holds them (rows of figures with bars drawn over them).
#include "editors/EditorHarness.h"
#include "platform/print/TBPrint.h"

#include <QRegularExpression>
#include "reports/HistogramClasses.h"
#include "reports/PrintAPIs.h"
#include "reports/ReportCharts.h"
#include "reports/ReportPrinter.h"

namespace vel::testing {
namespace {

TEST(HistogramClasses, TheDefaultQualityClassesAreATenthOfAPointWide) {
    const HistogramClasses classes(98, 100, 20);
    ASSERT_EQ(classes.rowCount(), 22);
    EXPECT_FALSE(classes.from(0).has_value());
    EXPECT_NEAR(*classes.to(0), 97.99, 1e-9);
    EXPECT_NEAR(*classes.from(1), 98.00, 1e-9);
    EXPECT_NEAR(*classes.to(1), 98.09, 1e-9);
    EXPECT_NEAR(*classes.from(2), 98.10, 1e-9);
    EXPECT_NEAR(*classes.from(20), 99.90, 1e-9);
    EXPECT_NEAR(*classes.to(20), 99.99, 1e-9);
    EXPECT_NEAR(*classes.from(21), 100.00, 1e-9);
    EXPECT_FALSE(classes.to(21).has_value());

    EXPECT_EQ(classes.rowOf(12.5), 0);
    EXPECT_EQ(classes.rowOf(97.99), 0);
    EXPECT_EQ(classes.rowOf(98.00), 1);
    EXPECT_EQ(classes.rowOf(98.09), 1);
    EXPECT_EQ(classes.rowOf(98.10), 2) << "98.1 - 98 is a hair below 0.1 in binary";
    EXPECT_EQ(classes.rowOf(98.30), 4);
    EXPECT_EQ(classes.rowOf(99.99), 20);
    EXPECT_EQ(classes.rowOf(100.00), 21);
    EXPECT_EQ(classes.rowOf(250), 21);
    const std::vector<int> counts = classes.counts({97, 98.05, 98.09, 100, 120, 99.95});
    EXPECT_EQ(counts[0], 1);
    EXPECT_EQ(counts[1], 2);
    EXPECT_EQ(counts[20], 1);
    EXPECT_EQ(counts[21], 2);
}

TEST(HistogramClasses, WholePercentClassesAndSettingsThatMakeNoClasses) {
    const HistogramClasses performance(50, 150, 10);
    EXPECT_EQ(performance.rowCount(), 12);
    EXPECT_DOUBLE_EQ(*performance.to(0), 49);
    EXPECT_DOUBLE_EQ(*performance.from(1), 50);
    EXPECT_DOUBLE_EQ(*performance.to(1), 59);
    EXPECT_DOUBLE_EQ(*performance.from(11), 150);
    EXPECT_EQ(performance.rowOf(59), 1);
    EXPECT_EQ(performance.rowOf(60), 2);
    EXPECT_EQ(performance.rowOf(149), 10);

    const HistogramClasses none(98, 98, 0);
    EXPECT_EQ(none.rowCount(), 3);
    EXPECT_DOUBLE_EQ(none.top(), 99);
    const HistogramClasses upsideDown(100, 90, 5);
    EXPECT_EQ(upsideDown.rowCount(), 3);
    EXPECT_EQ(upsideDown.rowOf(100.5), 1);
}

TEST(BarScale, FitsTheHighestValueOnRoundStepsAndKeepsBarsWithinTheChart) {
    const BarScale small = BarScale::fitting(62, 1000, 4000);
    EXPECT_DOUBLE_EQ(small.maximum, 100);
    EXPECT_DOUBLE_EQ(small.step, 25);
    EXPECT_EQ(small.xOf(0), 1000);
    EXPECT_EQ(small.xOf(50), 3000);
    EXPECT_EQ(small.xOf(100), 5000);
    EXPECT_EQ(small.xOf(-5), 1000);

    const BarScale usual = BarScale::fitting(131, 0, 3000);
    EXPECT_DOUBLE_EQ(usual.maximum, 150);
    EXPECT_EQ(usual.xOf(120), 2400) << "bars are proportional to the percentage";
    EXPECT_DOUBLE_EQ(BarScale::fitting(200, 0, 1).maximum, 200);
    const BarScale wide = BarScale::fitting(230, 0, 1000);
    EXPECT_DOUBLE_EQ(wide.step, 50);
    EXPECT_DOUBLE_EQ(wide.maximum, 250);
    const BarScale capped = BarScale::fitting(99900, 0, 1000);
    EXPECT_DOUBLE_EQ(capped.maximum, 400);
    EXPECT_EQ(capped.xOf(99900), 1000) << "a longer bar stops at the edge";
}

// The bars drawn over the rows of a page, in row order: (row text, bar width).
std::vector<std::pair<QString, int>> bars(const PrintDocument& document) {
    std::vector<std::pair<QString, int>> found;
    for (const PrintPage& page : document.pages()) {
        for (const PrintElement& element : page.elements) {
            if (element.kind != PrintElement::Kind::TableRow || !element.drawing) {
                continue;
            }
            for (const DrawingSurface::Shape& shape : element.drawing->shapes()) {
                if (shape.kind == DrawingSurface::Shape::Kind::Rectangle && shape.filled) {
                    found.emplace_back(element.text, shape.area.width());
                }
            }
        }
    }
    return found;
}

TEST(ReportCharts, TheHistogramPrintsItsClassesCountsAndProportionalBars) {
    EditorHarness site;
    TBPrint printer;
    ReportPrinter report(*site.system, printer);
    report.setHeading({QStringLiteral("Associate Quality Analysis - Last 4 Weeks"), {}, {}, {}});
    printer.printLine(QStringLiteral("the list"));
    ASSERT_TRUE(printHistogram(
        printer, report, HistogramClasses(98, 100, 20), {97.5, 98.05, 98.09, 100, 100, 100, 99.95},
        {QStringLiteral("Last 4 Weeks"), QStringLiteral("Percent Accuracy"), 2}));
    EXPECT_EQ(printer.outputMode(), PrintOutputMode::Text);
    EXPECT_EQ(printer.document().pageCount(), 2) << "the histogram starts a new page";
    const QStringList lines = printer.document().textLines();
    const qsizetype start = lines.indexOf(QStringLiteral("Last 4 Weeks"));
    ASSERT_GT(start, 0) << lines.join('\n').toStdString();
    EXPECT_EQ(lines[start + 1], "Percent Accuracy");
    EXPECT_TRUE(lines[start + 2].contains("Number of")) << lines[start + 2].toStdString();
    EXPECT_TRUE(lines[start + 3].contains("From") && lines[start + 3].contains("Associates"));
    EXPECT_EQ(lines[start + 4].simplified(), "97.99% 1 14%");
    EXPECT_EQ(lines[start + 5].simplified(), "98.00% 98.09% 2 43%");
    EXPECT_EQ(lines[start + 6].simplified(), "98.10% 98.19% 0 43%");
    EXPECT_EQ(lines[start + 25].simplified(), "100.00% 3 100%");

    const auto drawn = bars(printer.document());
    ASSERT_EQ(drawn.size(), 4u) << "a bar for each class that holds someone";
    EXPECT_NEAR(drawn[0].second * 3, drawn[3].second, 3) << "1 against 3 associates";
    EXPECT_NEAR(drawn[1].second * 3, drawn[3].second * 2, 3);
}

TEST(ReportCharts, TheBarChartDrawsABarPerAssociateAndItsLinesAcrossEveryBar) {
    EditorHarness site;
    TBPrint printer;
    ReportPrinter report(*site.system, printer);
    report.setHeading({QStringLiteral("Associate Performance Analysis"), {}, {}, {}});
    printer.printLine(QStringLiteral("the list"));
    ChartBlock block{QStringLiteral("Home Work Center: Receiving"), {}, {}};
    block.bars = {{QStringLiteral("Adams, Ann"), QStringLiteral("120%"), 120},
                  {QStringLiteral("Baker, Bob"), QStringLiteral("60%"), 60},
                  {QStringLiteral("Clark, Cy"), QStringLiteral("0%"), 0}};
    block.lines = {{QStringLiteral("Goal"), 110, Qt::darkGreen, DrawingSurface::PenStyle::Solid,
                    QStringLiteral("solid green")},
                   {QStringLiteral("Minimum Acceptable"), 85, Qt::red,
                    DrawingSurface::PenStyle::Dot, QStringLiteral("dotted red")}};
    PrintAPIs::ResetPenCache();
    ASSERT_TRUE(printBarChart(printer, report, {block},
                              {QStringLiteral("Performance Order"),
                               {QStringLiteral("Perfor"), QStringLiteral("mance")}}));
    const QStringList lines = printer.document().textLines();
    EXPECT_TRUE(lines.contains("Performance Order"));
    EXPECT_TRUE(lines.contains("Home Work Center: Receiving"));
    EXPECT_TRUE(
        lines.contains("Lines: Goal 110% (solid green);  Minimum Acceptable 85% (dotted red)"));
    EXPECT_EQ(lines.filter(QRegularExpression("^Adams, Ann +120%$")).size(), 1);

    const auto drawn = bars(printer.document());
    ASSERT_EQ(drawn.size(), 2u) << "no bar for 0 %";
    EXPECT_NEAR(drawn[0].second, 2 * drawn[1].second, 2) << "120 % is twice 60 %";
    // Each bar row carries both lines, at the same x on every row.
    std::vector<int> goalX;
    for (const PrintElement& element : printer.document().pages().back().elements) {
        const QStringList names{"Adams, Ann", "Baker, Bob", "Clark, Cy"};
        if (element.kind == PrintElement::Kind::TableRow && element.drawing &&
            names.contains(element.cells.value(0))) {
            for (const DrawingSurface::Shape& shape : element.drawing->shapes()) {
                if (shape.kind == DrawingSurface::Shape::Kind::Line &&
                    shape.pen.style == DrawingSurface::PenStyle::Solid && shape.line.dx() == 0 &&
                    shape.pen.colour == QColor(Qt::darkGreen)) {
                    goalX.push_back(shape.line.x1());
                    EXPECT_EQ(shape.line.dy(), element.height);
                }
            }
        }
    }
    ASSERT_EQ(goalX.size(), 3u);
    EXPECT_EQ(goalX[0], goalX[2]);
}

}  // namespace
}  // namespace vel::testing
