#pragma once
// The associate quality analysis as it prints: per associate the audits, audited and failed
// units, accuracies, performance index, failure hours and cost and measured hours (16 columns),
// in blocks per group with a total line each, optionally followed by a bar chart and a
// histogram of quality accuracy (total percent accuracy). The figures come in read.
#include "reports/AssociateHistory.h"
#include "reports/ReportBlocks.h"
#include "reports/ReportCharts.h"
#include "reports/ReportGrouping.h"
#include "reports/ReportPrinter.h"

namespace vel {

class TBPrint;
class VelmorSystem;

enum class QualitySort {
    Name = 0,
    PercentAudited = 1,
    AuditedUnits = 2,
    Accuracy = 3,
    Performance = 4,
    NumberOfAudits = 5
};

// The histogram classes of the "Quality" settings, with their defaults.
struct QualityHistogramSettings {
    double top = 100.0;  // "HistTop"
    double base = 98.0;  // "HistBase"
    int slots = 20;      // "HistSlots"

    // Reads the settings of the system; a value that is not a number, slots below 1 or a top
    // not above the base give the defaults.
    static QualityHistogramSettings read(VelmorSystem& system);
};

struct QualityOptions {
    HistoryKind history = HistoryKind::ShortTerm;
    int typeOfWork = 0;  // 0: every type of work
    QString typeOfWorkName;
    double minimumHours = 0.0;
    double minimumBaseUnits = 0.0;
    ReportGrouping grouping = ReportGrouping::None;
    QualitySort sort = QualitySort::Name;
    bool barChart = false;
    bool histogram = false;
    QualityHistogramSettings classes;

    WorkSelection selection() const;
};

// The ratios of one history's quality figures (fractions, through the safe division).
struct QualityRatios {
    double auditAccuracy = 0.0;   // (audited - audit failed) / audited units
    double percentAudited = 0.0;  // audited units / units
    double totalAccuracy = 0.0;   // (accuracy base - total failed) / accuracy base units
    double performance = 0.0;     // earned / measured hours

    static QualityRatios of(const WorkFigures& figures);
};

// The caption of a sort key without its mnemonic ("Percent Audited").
QString qualitySortCaption(QualitySort sort);
// The heading clause of the minima: " for Associates with a minimum of 8 measured hours and 4
// Accuracy Base Units", one of the two, or nothing when both are 0.
QString qualityMinimumClause(double minimumHours, double minimumBaseUnits);

class QualityReport {
  public:
    QualityReport(VelmorSystem& system, const QualityOptions& options,
                  const ReportFigures& figures);

    ReportHeading heading() const;
    std::vector<ReportBlock> blocks() const;
    bool print(TBPrint& printer, ReportPrinter& report) const;

  private:
    bool printList(TBPrint& printer, ReportPrinter& report,
                   const std::vector<ReportBlock>& blocks) const;
    QStringList cells(const QString& name, const QString& code, const WorkFigures& figures,
                      const QDate& hireDate) const;
    std::vector<ChartLine> chartLines(int group) const;
    const HistoryRange& range() const { return figures_.range(options_.history); }

    VelmorSystem& system_;
    QualityOptions options_;
    const ReportFigures& figures_;
    ReportGroups groups_;
};

}  // namespace vel
