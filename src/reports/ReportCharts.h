#pragma once
// The charts after an associate report's list, printed as rows of figures with bars drawn
// beside them on each row's overlay (so the figures also read in the text rendering):
// - the histogram: classes with "From", "To", "Number of" / "Associates", "Cumu-" / "lative" and
//   a bar proportional to the class's count;
// - the bar chart: one bar per associate on a percentage scale, with optional vertical lines
//   (goal, work-center average, minimum acceptable) across every bar.
// Both print on a new page in graphics mode (output mode 2, back to 1 after), with their column
// headings repeated at the top of every page.
#include "platform/print/DrawingSurface.h"
#include "platform/print/PrintTable.h"
#include "reports/HistogramClasses.h"

#include <QColor>
#include <QString>
#include <vector>

namespace vel {

class ReportPrinter;
class TBPrint;
struct PageSetup;

// The left edge, in page units, of column `index` (from 0) as the printer lays out a row.
int columnLeft(const std::vector<PrintTable::Column>& columns, int index, const PageSetup& setup);

// The horizontal scale of a bar chart of percentages: 0 % at `left`, `maximum` % at
// `left + width`. The maximum is the highest value shown (at least 100 %) rounded up to the step
// (25 % up to 200 %, 50 % beyond), and at most 400 %: longer bars stop at the edge.
struct BarScale {
    double maximum = 100.0;
    double step = 25.0;
    int left = 0;
    int width = 0;

    static BarScale fitting(double highest, int left, int width);
    // The x of a percentage, within the scale.
    int xOf(double percent) const;
};

struct HistogramTexts {
    QString centred;        // the history text
    QString left;           // "Percent Performance", "Percent Accuracy"
    int limitDecimals = 0;  // class limits "##0" or "##0.00" followed by "%"
};

// Prints the histogram of the values (percentages) on a new page.
bool printHistogram(TBPrint& printer, ReportPrinter& report, const HistogramClasses& classes,
                    const std::vector<double>& values, const HistogramTexts& texts);

// A reference line across the bars of a chart.
struct ChartLine {
    QString caption;  // "Goal", "Work Center Average", "Minimum Acceptable"
    double percent = 0.0;
    QColor colour;
    DrawingSurface::PenStyle style = DrawingSurface::PenStyle::Solid;
    QString look;  // how the legend describes the line: "solid green"
};

struct ChartBar {
    QString label;      // the associate's name
    QString valueText;  // the percentage as printed
    double percent = 0.0;
};

// One block of a bar chart: a heading (the group's), its bars and lines.
struct ChartBlock {
    QString heading;
    std::vector<ChartBar> bars;
    std::vector<ChartLine> lines;
};

struct BarChartTexts {
    QString order;             // "Performance Order" or "Sequence Order"
    QStringList valueHeading;  // two heading lines over the percentages
    QString labelHeading = QStringLiteral("Associate");
};

// Prints the bar chart on a new page: each block under its heading, with a line that names the
// block's reference lines; one scale for the whole chart.
bool printBarChart(TBPrint& printer, ReportPrinter& report, const std::vector<ChartBlock>& blocks,
                   const BarChartTexts& texts);

}  // namespace vel
