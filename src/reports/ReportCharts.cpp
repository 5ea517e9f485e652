#include "reports/ReportCharts.h"

#include "platform/print/TBPrint.h"
#include "reports/PrintAPIs.h"
#include "reports/ReportFormat.h"
#include "reports/ReportPrinter.h"
#include "services/NumberFormat.h"

#include <algorithm>
#include <cmath>

namespace vel {

namespace {

using Column = PrintTable::Column;

const QColor barColour(70, 110, 160);
constexpr double widestScale = 400.0;
constexpr int barGapCharacters = 2;  // kept free at the right edge of the bars

// Pens in hundredths of an inch.
constexpr double outlineWidth = 1;
constexpr double referenceLineWidth = 2;

int barAreaLeft(const std::vector<Column>& columns, const PageSetup& setup) {
    return columnLeft(columns, int(columns.size()) - 1, setup);
}

int barAreaWidth(const std::vector<Column>& columns, const PageSetup& setup) {
    return std::max(1, setup.printableWidth() - barAreaLeft(columns, setup) -
                           barGapCharacters * setup.characterWidth());
}

// A solid bar on a line's overlay, 60 % of the line high and centred on it.
void drawBar(DrawingSurface& surface, int left, int length) {
    if (length <= 0) {
        return;
    }
    const int height = std::max(1, surface.height() * 3 / 5);
    PrintAPIs::SelectPen(surface, PrintAPIs::PenWidthInDeviceUnits(surface, outlineWidth),
                         DrawingSurface::PenStyle::Solid, Qt::black);
    surface.fillRectangle(QRect(left, (surface.height() - height) / 2, length, height), barColour,
                          true);
}

// Opens a section on a new page (or on this one when it holds only its header so far), in
// graphics mode, with the section's heading lines.
bool startSection(TBPrint& printer, ReportPrinter& report) {
    printer.setOutputMode(PrintOutputMode::Graphics);
    const int page = printer.pageNumber();
    if (!printer.newPage()) {
        return false;
    }
    return printer.pageNumber() != page || report.printSectionHeading();
}

void endSection(TBPrint& printer, ReportPrinter& report) {
    printer.setOutputMode(PrintOutputMode::Text);
    report.setSectionLines({});
    report.setColumnHeadings({}, {});
    report.setHeadingDrawing({});
    report.setContinuation(QString());
}

QString limitText(std::optional<double> limit, int decimals) {
    if (!limit) {
        return {};
    }
    const QString mask =
        decimals > 0 ? QStringLiteral("##0.") + QString(decimals, u'0') : QStringLiteral("##0");
    return FormatNumber(*limit, mask) + (decimals > 0 ? QStringLiteral("%") : QString());
}

}  // namespace

int columnLeft(const std::vector<Column>& columns, int index, const PageSetup& setup) {
    int left = 0;
    for (int col = 0; col < index && col < int(columns.size()); ++col) {
        left += (columns[size_t(col)].width + 2) * setup.characterWidth();
    }
    return left;
}

BarScale BarScale::fitting(double highest, int left, int width) {
    BarScale scale;
    const double top = std::clamp(highest, 100.0, widestScale);
    scale.step = top > 200.0 ? 50.0 : 25.0;
    scale.maximum = std::ceil(top / scale.step - 1e-9) * scale.step;
    scale.left = left;
    scale.width = std::max(1, width);
    return scale;
}

int BarScale::xOf(double percent) const {
    const double share = std::clamp(percent / maximum, 0.0, 1.0);
    return left + int(std::lround(share * width));
}

bool printHistogram(TBPrint& printer, ReportPrinter& report, const HistogramClasses& classes,
                    const std::vector<double>& values, const HistogramTexts& texts) {
    const std::vector<Column> columns{{QString(), 8, PrintAlignment::Right},
                                      {QString(), 8, PrintAlignment::Right},
                                      {QString(), 10, PrintAlignment::Right},
                                      {QString(), 6, PrintAlignment::Right},
                                      {QString(), 10}};
    report.setSectionLines(
        {{texts.centred, PrintAlignment::Centre}, {texts.left, PrintAlignment::Left}});
    report.setColumnHeadings(
        columns,
        {{QString(), QString(), QStringLiteral("Number of"), QStringLiteral("Cumu-"), QString()},
         {QStringLiteral("From"), QStringLiteral("To"), QStringLiteral("Associates"),
          QStringLiteral("lative"), QStringLiteral("Histogram")}});
    bool printed = startSection(printer, report);
    const PageSetup& setup = printer.document().setup();
    const std::vector<int> counts = classes.counts(values);
    const int most = std::max(1, *std::ranges::max_element(counts));
    const int left = barAreaLeft(columns, setup);
    const int width = barAreaWidth(columns, setup);
    int running = 0;
    for (int row = 0; printed && row < classes.rowCount(); ++row) {
        const int count = counts[size_t(row)];
        running += count;
        printed =
            printer.printRow({limitText(classes.from(row), texts.limitDecimals),
                              limitText(classes.to(row), texts.limitDecimals), countText(count),
                              percentText(safeDivide(running, double(values.size()))), QString()},
                             columns);
        if (DrawingSurface* surface = printed ? printer.overlay() : nullptr) {
            drawBar(*surface, left, int(std::lround(double(count) / most * width)));
        }
    }
    endSection(printer, report);
    return printed;
}

bool printBarChart(TBPrint& printer, ReportPrinter& report, const std::vector<ChartBlock>& blocks,
                   const BarChartTexts& texts) {
    const std::vector<Column> columns{
        {QString(), 26}, {QString(), 9, PrintAlignment::Right}, {QString(), 10}};
    report.setSectionLines({{texts.order, PrintAlignment::Centre}});
    report.setColumnHeadings(columns,
                             {{QString(), texts.valueHeading.value(0), QString()},
                              {texts.labelHeading, texts.valueHeading.value(1), QString()}});
    // The job's set-up is known once the job runs; the scale is fitted to every bar and line.
    double highest = 0.0;
    for (const ChartBlock& block : blocks) {
        for (const ChartBar& bar : block.bars) {
            highest = std::max(highest, bar.percent);
        }
        for (const ChartLine& line : block.lines) {
            highest = std::max(highest, line.percent);
        }
    }
    if (!printer.isPrinting() && !printer.startJob()) {
        return false;
    }
    const PageSetup& setup = printer.document().setup();
    const BarScale scale =
        BarScale::fitting(highest, barAreaLeft(columns, setup), barAreaWidth(columns, setup));
    report.setHeadingDrawing([scale](DrawingSurface& surface) {
        PrintAPIs::SelectPen(surface, PrintAPIs::PenWidthInDeviceUnits(surface, outlineWidth),
                             DrawingSurface::PenStyle::Solid, Qt::black);
        for (double mark = 0; mark <= scale.maximum + 1e-9; mark += scale.step) {
            const int x = scale.xOf(mark);
            const QString label = percentText(mark / 100.0);
            const int width = PrintAPIs::TextWidth(label, &surface);
            const int textLeft =
                std::clamp(x - width / 2, scale.left, scale.left + scale.width - width);
            surface.drawText(textLeft, 0, label);
            PrintAPIs::DrawLine(surface, x, surface.height() * 4 / 5, x, surface.height());
        }
        PrintAPIs::DrawLine(surface, scale.left, surface.height() - 1, scale.left + scale.width,
                            surface.height() - 1);
    });
    bool printed = startSection(printer, report);
    for (const ChartBlock& block : blocks) {
        if (!printed) {
            break;
        }
        if (!block.heading.isEmpty()) {
            // A heading stays with its legend and first bars.
            if (printer.remainingHeight() < 4 * setup.lineHeight()) {
                printed = printer.newPage();
            }
            printed = printed && printer.printLine(block.heading, PrintBold);
            report.setContinuation(block.heading + QStringLiteral(" (continued)"));
        }
        QStringList legend;
        for (const ChartLine& line : block.lines) {
            legend << QStringLiteral("%1 %2 (%3)")
                          .arg(line.caption, percentText(line.percent / 100.0), line.look);
        }
        if (!legend.isEmpty()) {
            printed = printed && printer.printLine(QStringLiteral("Lines: ") +
                                                   legend.join(QStringLiteral(";  ")));
        }
        for (const ChartBar& bar : block.bars) {
            printed = printed && printer.printRow({bar.label, bar.valueText, QString()}, columns);
            DrawingSurface* surface = printed ? printer.overlay() : nullptr;
            if (!surface) {
                break;
            }
            drawBar(*surface, scale.left, scale.xOf(bar.percent) - scale.left);
            for (const ChartLine& line : block.lines) {
                PrintAPIs::SelectPen(*surface,
                                     PrintAPIs::PenWidthInDeviceUnits(*surface, referenceLineWidth),
                                     line.style, line.colour);
                const int x = scale.xOf(line.percent);
                PrintAPIs::DrawLine(*surface, x, 0, x, surface->height());
            }
        }
        report.setContinuation(QString());
        printed = printed && printer.printLine(QString());
    }
    endSection(printer, report);
    return printed;
}

}  // namespace vel
