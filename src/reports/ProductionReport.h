#pragma once
// The associate production analysis as it prints: the performance report (performance, measured
// and total hours, % measured hours, effectiveness) or the cost report (wage rate, actual average
// hourly cost, total cost, equivalent hourly cost at the current wage rate), one line per
// associate in blocks per group with a total line for each, optionally followed by a histogram
// and a bar chart of performances. The figures come in read (ReportFigures); this class only
// selects, orders and prints them.
#include "reports/AssociateHistory.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportCharts.h"
#include "reports/ReportGrouping.h"
#include "reports/ReportPrinter.h"

namespace vel {

class TBPrint;
class VelmorSystem;

enum class ProductionKind { Performance = 0, Cost = 1 };
enum class WorkChoice { All = 0, SingleActivity = 1, SingleTypeOfWork = 2 };
enum class ProductionSort { Name = 0, ShortTermPerformance = 1, LongTermPerformance = 2 };

struct ProductionOptions {
    ProductionKind kind = ProductionKind::Performance;
    WorkChoice work = WorkChoice::All;
    int workItem = 0;  // the activity or type of work (record number)
    QString workItemName;
    HistoryKind history = HistoryKind::LongTerm;
    double minimumHours = 0.0;
    ReportGrouping grouping = ReportGrouping::None;
    ProductionSort sort = ProductionSort::Name;
    bool histogram = false;
    bool barChart = false;
    bool goalLine = false;
    bool averageLine = false;
    bool minimumLine = false;

    WorkSelection selection() const;
    // Whether the work centers' figures are needed (the average line of the bar chart).
    bool needsWorkCenters() const { return barChart && averageLine; }
};

// The ratios of one history's figures.
struct ProductionRatios {
    double performance = 0.0;    // earned / measured hours, capped
    double measuredShare = 0.0;  // measured / total hours, capped
    double effectiveness = 0.0;  // earned / total hours, capped
    double averageCost = 0.0;    // cost / total hours

    static ProductionRatios of(const WorkFigures& figures);
};

// What the equivalent hourly cost at the current wage rate is: the wage rate an associate's
// hour of standard work costs at their performance, wage rate / performance (0 without one).
double equivalentHourlyCost(double wageRate, double performance);

// The heading clause of the minimum: " for Associates with a minimum of 8 measured hours
// (Last 13 Weeks)"; empty for a minimum of 0.01 or less.
QString minimumHoursClause(double minimum, const QString& history);

// The texts of the performance histogram's classes: 10 points wide from 50 % to 150 %.
HistogramClasses performanceClasses();

class ProductionReport {
  public:
    ProductionReport(VelmorSystem& system, const ProductionOptions& options,
                     const ReportFigures& figures);

    ReportHeading heading() const;
    // The blocks of associates the list prints.
    std::vector<ReportBlock> blocks() const;
    // Prints the list and the charts asked for; the printer's events are the report's.
    bool print(TBPrint& printer, ReportPrinter& report) const;

  private:
    bool printList(TBPrint& printer, ReportPrinter& report,
                   const std::vector<ReportBlock>& blocks) const;
    QStringList lineCells(const AssociateHistory& associate) const;
    QStringList totalCells(const QString& label, const WorkFigures& total) const;
    std::vector<ChartLine> chartLines(int group) const;
    const HistoryRange& range() const { return figures_.range(options_.history); }

    VelmorSystem& system_;
    ProductionOptions options_;
    const ReportFigures& figures_;
    ReportGroups groups_;
};

}  // namespace vel
