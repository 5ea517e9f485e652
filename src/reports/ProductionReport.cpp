#include "reports/ProductionReport.h"

#include "data/VelmorSystem.h"
#include "data/records/WorkCenterRecord.h"
#include "platform/print/TBPrint.h"
#include "reports/ReportFormat.h"
#include "reports/ReportList.h"
#include "services/NumberFormat.h"

namespace vel {

namespace {

using Column = PrintTable::Column;
constexpr auto Right = PrintAlignment::Right;

const QString dateOfHireFormat = QStringLiteral("yyyy/MM/dd");

std::vector<Column> performanceColumns() {
    // Bold headings run wider than the average character: the widths leave room for them.
    return {{QString(), 26},        {QString(), 10},        {QString(), 13, Right},
            {QString(), 10, Right}, {QString(), 10, Right}, {QString(), 12, Right},
            {QString(), 14, Right}, {QString(), 10}};
}

std::vector<QStringList> performanceHeadings() {
    return {{QString(), QString(), QString(), QStringLiteral("Measured"), QStringLiteral("Total"),
             QStringLiteral("% Measured"), QString(), QStringLiteral("Date of")},
            {QStringLiteral("Associate Name"), QStringLiteral("Code"),
             QStringLiteral("Performance"), QStringLiteral("Hours"), QStringLiteral("Hours"),
             QStringLiteral("Hours"), QStringLiteral("Effectiveness"), QStringLiteral("Hire")}};
}

std::vector<Column> costColumns() {
    return {{QString(), 26},        {QString(), 10},        {QString(), 10, Right},
            {QString(), 14, Right}, {QString(), 12, Right}, {QString(), 22, Right}};
}

std::vector<QStringList> costHeadings() {
    return {{QString(), QString(), QStringLiteral("Current"), QStringLiteral("Actual Average"),
             QString(), QStringLiteral("Equivalent Hourly Cost")},
            {QStringLiteral("Associate Name"), QStringLiteral("Code"), QStringLiteral("Wage Rate"),
             QStringLiteral("Hourly Cost"), QStringLiteral("Total Cost"),
             QStringLiteral("at Current Wage Rate")}};
}

double performancePercent(const WorkFigures& figures) {
    return ProductionRatios::of(figures).performance * 100.0;
}

// The mean of the indicator over the active work centers that set one.
double meanIndicator(Table<WorkCenterRecord>& centers, double WorkCenterRecord::*indicator) {
    double sum = 0.0;
    int count = 0;
    for (int number = 1; number <= centers.recordCount(); ++number) {
        if (centers.isActive(number)) {
            const double value = centers.record(number).*indicator;
            if (value > 0) {
                sum += value;
                ++count;
            }
        }
    }
    return safeDivide(sum, count);
}

}  // namespace

WorkSelection ProductionOptions::selection() const {
    WorkSelection chosen;
    if (work == WorkChoice::SingleActivity) {
        chosen.activity = workItem;
    } else if (work == WorkChoice::SingleTypeOfWork) {
        chosen.typeOfWork = workItem;
    }
    return chosen;
}

ProductionRatios ProductionRatios::of(const WorkFigures& figures) {
    ProductionRatios ratios;
    ratios.performance = performanceRatio(figures.earnedHours, figures.measuredHours);
    ratios.measuredShare = performanceRatio(figures.measuredHours, figures.totalHours);
    ratios.effectiveness = performanceRatio(figures.earnedHours, figures.totalHours);
    ratios.averageCost = safeDivide(figures.cost, figures.totalHours);
    return ratios;
}

double equivalentHourlyCost(double wageRate, double performance) {
    return safeDivide(wageRate, performance);
}

QString minimumHoursClause(double minimum, const QString& history) {
    if (minimum <= 0.01) {
        return {};
    }
    return QStringLiteral(" for Associates with a minimum of ") +
           FormatNumber(minimum, QStringLiteral("#,##0.##")) + QStringLiteral(" measured hours (") +
           history + QStringLiteral(")");
}

HistogramClasses performanceClasses() {
    return HistogramClasses(50, 150, 10);
}

ProductionReport::ProductionReport(VelmorSystem& system, const ProductionOptions& options,
                                   const ReportFigures& figures)
    : system_(system), options_(options), figures_(figures), groups_(system, options.grouping) {}

ReportHeading ProductionReport::heading() const {
    const QString history = historyText(range().weeks);
    ReportHeading heading;
    heading.title = (options_.kind == ProductionKind::Cost
                         ? QStringLiteral("Associate Cost Analysis - ")
                         : QStringLiteral("Associate Performance Analysis - ")) +
                    history;
    switch (options_.work) {
        case WorkChoice::SingleActivity:
            heading.subtitles << QStringLiteral("Activity: ") + options_.workItemName;
            break;
        case WorkChoice::SingleTypeOfWork:
            heading.subtitles << QStringLiteral("Type of Work: ") + options_.workItemName;
            break;
        case WorkChoice::All:
            heading.subtitles << QStringLiteral("Total of All Activities");
            break;
    }
    heading.subtitles << allWorkCentersText() + minimumHoursClause(options_.minimumHours, history);
    if (range().last.isValid()) {
        heading.dateLine = throughText(range().last);
    }
    switch (options_.sort) {
        case ProductionSort::ShortTermPerformance:
            heading.sortLine = QStringLiteral("Sorted by ") +
                               historyText(figures_.shortTerm.weeks) + QStringLiteral(" History");
            break;
        case ProductionSort::LongTermPerformance:
            heading.sortLine = QStringLiteral("Sorted by ") + historyText(figures_.longTerm.weeks) +
                               QStringLiteral(" History");
            break;
        case ProductionSort::Name:
            heading.sortLine = QStringLiteral("Sorted by Name");
            break;
    }
    return heading;
}

std::vector<ReportBlock> ProductionReport::blocks() const {
    const HistoryKind history = options_.history;
    const double minimum = options_.minimumHours;
    const AssociateFilter passes = [history, minimum](const AssociateHistory& associate) {
        return associate.figures(history).measuredHours >= minimum;
    };
    AssociateOrder order = byName;
    if (options_.sort != ProductionSort::Name) {
        const HistoryKind sortHistory = options_.sort == ProductionSort::ShortTermPerformance
                                            ? HistoryKind::ShortTerm
                                            : HistoryKind::LongTerm;
        order = byFigureDescending([sortHistory](const AssociateHistory& associate) {
            return ProductionRatios::of(associate.figures(sortHistory)).performance;
        });
    }
    return reportBlocks(figures_.associates, groups_, passes, order);
}

QStringList ProductionReport::lineCells(const AssociateHistory& associate) const {
    const WorkFigures& figures = associate.figures(options_.history);
    const ProductionRatios ratios = ProductionRatios::of(figures);
    if (options_.kind == ProductionKind::Cost) {
        return {associate.name,
                associate.code,
                amountText(associate.wageRate),
                amountText(ratios.averageCost),
                amountText(figures.cost),
                amountText(equivalentHourlyCost(associate.wageRate, ratios.performance))};
    }
    return {associate.name,
            associate.code,
            percentText(ratios.performance),
            amountText(figures.measuredHours),
            amountText(figures.totalHours),
            percentText(ratios.measuredShare),
            percentText(ratios.effectiveness),
            associate.hireDate.toString(dateOfHireFormat)};
}

QStringList ProductionReport::totalCells(const QString& label, const WorkFigures& total) const {
    const ProductionRatios ratios = ProductionRatios::of(total);
    if (options_.kind == ProductionKind::Cost) {
        return {
            label,    QString(), QString(), amountText(ratios.averageCost), amountText(total.cost),
            QString()};
    }
    return {label,
            QString(),
            percentText(ratios.performance),
            amountText(total.measuredHours),
            amountText(total.totalHours),
            percentText(ratios.measuredShare),
            percentText(ratios.effectiveness),
            QString()};
}

bool ProductionReport::printList(TBPrint& printer, ReportPrinter& report,
                                 const std::vector<ReportBlock>& blocks) const {
    const bool cost = options_.kind == ProductionKind::Cost;
    ReportListLayout layout;
    layout.columns = cost ? costColumns() : performanceColumns();
    layout.headings = cost ? costHeadings() : performanceHeadings();
    layout.line = [this](const AssociateHistory& associate) { return lineCells(associate); };
    layout.total = [this](const QString& label, const WorkFigures& total) {
        return totalCells(label, total);
    };
    return printReportList(printer, report, blocks, options_.history, layout);
}

std::vector<ChartLine> ProductionReport::chartLines(int group) const {
    Table<WorkCenterRecord>& centers = system_.workCenters();
    const bool ownCenter = options_.grouping == ReportGrouping::HomeWorkCenter && group > 0;
    const WorkCenterRecord center = ownCenter ? centers.record(group) : WorkCenterRecord{};
    std::vector<ChartLine> lines;
    if (options_.goalLine) {
        const double goal = ownCenter ? center.UpperIndicator
                                      : meanIndicator(centers, &WorkCenterRecord::UpperIndicator);
        if (goal > 0) {
            lines.push_back({QStringLiteral("Goal"), goal, QColor(0, 128, 0),
                             DrawingSurface::PenStyle::Solid, QStringLiteral("solid green")});
        }
    }
    if (options_.averageLine) {
        WorkFigures average;
        const WorkCenterFigures& figures = figures_.workCenters(options_.history);
        if (ownCenter) {
            average = figures.value(group);
        } else {
            for (const WorkFigures& one : figures) {
                average += one;
            }
        }
        if (average.measuredHours > 0) {
            lines.push_back({QStringLiteral("Work Center Average"), performancePercent(average),
                             QColor(0, 0, 192), DrawingSurface::PenStyle::Dash,
                             QStringLiteral("dashed blue")});
        }
    }
    if (options_.minimumLine) {
        const double minimum = ownCenter
                                   ? center.LowerIndicator
                                   : meanIndicator(centers, &WorkCenterRecord::LowerIndicator);
        if (minimum > 0) {
            lines.push_back({QStringLiteral("Minimum Acceptable"), minimum, QColor(192, 0, 0),
                             DrawingSurface::PenStyle::Dot, QStringLiteral("dotted red")});
        }
    }
    return lines;
}

bool ProductionReport::print(TBPrint& printer, ReportPrinter& report) const {
    report.setHeading(heading());
    const std::vector<ReportBlock> list = blocks();
    bool printed = printList(printer, report, list);
    const QString history = historyText(range().weeks);
    if (printed && options_.histogram) {
        std::vector<double> performances;
        for (const ReportBlock& block : list) {
            for (const AssociateHistory* associate : block.associates) {
                // Classed as printed: a whole percentage.
                performances.push_back(
                    std::round(performancePercent(associate->figures(options_.history))));
            }
        }
        printed = printHistogram(printer, report, performanceClasses(), performances,
                                 {history, QStringLiteral("Percent Performance"), 0});
    }
    if (printed && options_.barChart) {
        std::vector<ChartBlock> chart;
        for (const ReportBlock& block : list) {
            ChartBlock bars;
            bars.heading = block.heading;
            bars.lines = chartLines(block.group);
            for (const AssociateHistory* associate : block.associates) {
                const double percent = performancePercent(associate->figures(options_.history));
                bars.bars.push_back({associate->name, percentText(percent / 100.0), percent});
            }
            chart.push_back(std::move(bars));
        }
        const QString order = options_.sort == ProductionSort::Name
                                  ? QStringLiteral("Sequence Order")
                                  : QStringLiteral("Performance Order");
        printed = printBarChart(printer, report, chart,
                                {order, {QStringLiteral("Perfor"), QStringLiteral("mance")}});
    }
    return printed;
}

}  // namespace vel
