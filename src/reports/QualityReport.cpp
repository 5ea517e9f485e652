#include "reports/QualityReport.h"

#include "data/VelmorSystem.h"
#include "platform/print/TBPrint.h"
#include "reports/ReportFormat.h"
#include "reports/ReportList.h"
#include "services/IniSettings.h"
#include "services/NumberFormat.h"

#include <cmath>

namespace vel {

namespace {

using Column = PrintTable::Column;
constexpr auto Right = PrintAlignment::Right;
constexpr int percentDecimals = 2;

const QString dateOfHireFormat = QStringLiteral("yyyy/MM/dd");

std::vector<Column> qualityColumns() {
    return {
        {QString(), 20},       {QString(), 8},         {QString(), 6, Right}, {QString(), 8, Right},
        {QString(), 7, Right}, {QString(), 9, Right},  {QString(), 8, Right}, {QString(), 7, Right},
        {QString(), 8, Right}, {QString(), 7, Right},  {QString(), 9, Right}, {QString(), 8, Right},
        {QString(), 9, Right}, {QString(), 10, Right}, {QString(), 9, Right}, {QString(), 10}};
}

// Three heading lines, so that narrow columns keep whole words.
std::vector<QStringList> qualityHeadings() {
    return {{"", "", "", "", "Audit", "Audit", "", "Check", "Accuracy", "Total", "Total", "Perfor-",
             "", "", "", ""},
            {"", "", "", "Audited", "Failed", "Percent", "Percent", "Failed", "Base", "Failed",
             "Percent", "mance", "Failure", "Failure", "Measured", "Date of"},
            {"Associate Name", "Code", "Audits", "Units", "Units", "Accuracy", "Audited", "Units",
             "Units", "Units", "Accuracy", "Index", "Hours", "Cost", "Hours", "Hire"}};
}

QString percent(double ratio) {
    return percentText(ratio, percentDecimals);
}

double totalFailed(const WorkFigures& figures) {
    return figures.auditFailedUnits + figures.checkFailedUnits;
}

QString numberText(double value) {
    return FormatNumber(value, QStringLiteral("#,##0.##"));
}

}  // namespace

QualityHistogramSettings QualityHistogramSettings::read(VelmorSystem& system) {
    QualityHistogramSettings settings;
    IniSettings file(system.settingsLocation());
    file.selectSection(QStringLiteral("Quality"));
    bool topRead = false;
    bool baseRead = false;
    bool slotsRead = false;
    const double top = file.readValue(QStringLiteral("HistTop"), QStringLiteral("100"))
                           .trimmed()
                           .toDouble(&topRead);
    const double base = file.readValue(QStringLiteral("HistBase"), QStringLiteral("98"))
                            .trimmed()
                            .toDouble(&baseRead);
    const int slots = file.readValue(QStringLiteral("HistSlots"), QStringLiteral("20"))
                          .trimmed()
                          .toInt(&slotsRead);
    if (topRead && baseRead && slotsRead && slots >= 1 && top > base) {
        settings.top = top;
        settings.base = base;
        settings.slots = slots;
    }
    return settings;
}

WorkSelection QualityOptions::selection() const {
    WorkSelection chosen;
    chosen.typeOfWork = typeOfWork;
    return chosen;
}

QualityRatios QualityRatios::of(const WorkFigures& figures) {
    QualityRatios ratios;
    ratios.auditAccuracy =
        performanceRatio(figures.auditedUnits - figures.auditFailedUnits, figures.auditedUnits);
    ratios.percentAudited = performanceRatio(figures.auditedUnits, figures.units);
    ratios.totalAccuracy = performanceRatio(figures.accuracyBaseUnits - totalFailed(figures),
                                            figures.accuracyBaseUnits);
    ratios.performance = performanceRatio(figures.earnedHours, figures.measuredHours);
    return ratios;
}

QString qualitySortCaption(QualitySort sort) {
    switch (sort) {
        case QualitySort::PercentAudited:
            return QStringLiteral("Percent Audited");
        case QualitySort::AuditedUnits:
            return QStringLiteral("Audited Units");
        case QualitySort::Accuracy:
            return QStringLiteral("Accuracy");
        case QualitySort::Performance:
            return QStringLiteral("Performance");
        case QualitySort::NumberOfAudits:
            return QStringLiteral("Number of Audits");
        case QualitySort::Name:
            break;
    }
    return QStringLiteral("Name");
}

QString qualityMinimumClause(double minimumHours, double minimumBaseUnits) {
    const QString start = QStringLiteral(" for Associates with a minimum of ");
    const QString hours = numberText(minimumHours) + QStringLiteral(" measured hours");
    const QString units = numberText(minimumBaseUnits) + QStringLiteral(" Accuracy Base Units");
    if (minimumHours != 0 && minimumBaseUnits != 0) {
        return start + hours + QStringLiteral(" and ") + units;
    }
    if (minimumHours != 0) {
        return start + hours;
    }
    if (minimumBaseUnits != 0) {
        return start + units;
    }
    return {};
}

QualityReport::QualityReport(VelmorSystem& system, const QualityOptions& options,
                             const ReportFigures& figures)
    : system_(system), options_(options), figures_(figures), groups_(system, options.grouping) {}

ReportHeading QualityReport::heading() const {
    ReportHeading heading;
    heading.title = QStringLiteral("Associate Quality Analysis - ") + historyText(range().weeks);
    heading.subtitles << (options_.typeOfWork > 0
                              ? QStringLiteral("Type of Work: ") + options_.typeOfWorkName
                              : QStringLiteral("Total of All Types of Work"));
    heading.subtitles << allWorkCentersText() +
                             qualityMinimumClause(options_.minimumHours, options_.minimumBaseUnits);
    if (range().last.isValid()) {
        heading.dateLine = throughText(range().last);
    }
    heading.sortLine = QStringLiteral("Sorted by ") + qualitySortCaption(options_.sort);
    return heading;
}

std::vector<ReportBlock> QualityReport::blocks() const {
    const HistoryKind history = options_.history;
    const double hours = options_.minimumHours;
    const double units = options_.minimumBaseUnits;
    const AssociateFilter passes = [history, hours, units](const AssociateHistory& associate) {
        const WorkFigures& figures = associate.figures(history);
        return figures.measuredHours >= hours && figures.accuracyBaseUnits >= units;
    };
    const auto figure = [history](double (*of)(const WorkFigures&)) {
        return byFigureDescending([history, of](const AssociateHistory& associate) {
            return of(associate.figures(history));
        });
    };
    AssociateOrder order = byName;
    switch (options_.sort) {
        case QualitySort::PercentAudited:
            order =
                figure([](const WorkFigures& f) { return QualityRatios::of(f).percentAudited; });
            break;
        case QualitySort::AuditedUnits:
            order = figure([](const WorkFigures& f) { return f.auditedUnits; });
            break;
        case QualitySort::Accuracy:
            order = figure([](const WorkFigures& f) { return QualityRatios::of(f).totalAccuracy; });
            break;
        case QualitySort::Performance:
            order = figure([](const WorkFigures& f) { return QualityRatios::of(f).performance; });
            break;
        case QualitySort::NumberOfAudits:
            order = figure([](const WorkFigures& f) { return f.audits; });
            break;
        case QualitySort::Name:
            break;
    }
    return reportBlocks(figures_.associates, groups_, passes, order);
}

QStringList QualityReport::cells(const QString& name, const QString& code,
                                 const WorkFigures& figures, const QDate& hireDate) const {
    const QualityRatios ratios = QualityRatios::of(figures);
    return {name,
            code,
            countText(figures.audits),
            countText(figures.auditedUnits),
            countText(figures.auditFailedUnits),
            percent(ratios.auditAccuracy),
            percent(ratios.percentAudited),
            countText(figures.checkFailedUnits),
            countText(figures.accuracyBaseUnits),
            countText(totalFailed(figures)),
            percent(ratios.totalAccuracy),
            percent(ratios.performance),
            amountText(figures.failureHours),
            amountText(figures.failureCost),
            amountText(figures.measuredHours),
            hireDate.toString(dateOfHireFormat)};
}

bool QualityReport::printList(TBPrint& printer, ReportPrinter& report,
                              const std::vector<ReportBlock>& blocks) const {
    ReportListLayout layout;
    layout.columns = qualityColumns();
    layout.headings = qualityHeadings();
    layout.line = [this](const AssociateHistory& associate) {
        return cells(associate.name, associate.code, associate.figures(options_.history),
                     associate.hireDate);
    };
    layout.total = [this](const QString& label, const WorkFigures& total) {
        return cells(label, QString(), total, QDate());
    };
    return printReportList(printer, report, blocks, options_.history, layout);
}

std::vector<ChartLine> QualityReport::chartLines(int group) const {
    const WorkCenterFigures& centers = figures_.workCenters(options_.history);
    WorkFigures average;
    if (options_.grouping == ReportGrouping::HomeWorkCenter && group > 0) {
        average = centers.value(group);
    } else {
        for (const WorkFigures& one : centers) {
            average += one;
        }
    }
    if (average.accuracyBaseUnits <= 0) {
        return {};
    }
    return {{QStringLiteral("Work Center Average"),
             QualityRatios::of(average).totalAccuracy * 100.0, QColor(0, 0, 192),
             DrawingSurface::PenStyle::Dash, QStringLiteral("dashed blue")}};
}

bool QualityReport::print(TBPrint& printer, ReportPrinter& report) const {
    report.setHeading(heading());
    const std::vector<ReportBlock> list = blocks();
    bool printed = printList(printer, report, list);
    const auto accuracy = [this](const AssociateHistory& associate) {
        // As printed: a percentage with two decimals.
        const double value = QualityRatios::of(associate.figures(options_.history)).totalAccuracy;
        return std::round(value * 100.0 * 100.0) / 100.0;
    };
    if (printed && options_.barChart) {
        std::vector<ChartBlock> chart;
        for (const ReportBlock& block : list) {
            ChartBlock bars{block.heading, {}, chartLines(block.group)};
            for (const AssociateHistory* associate : block.associates) {
                const double value = accuracy(*associate);
                bars.bars.push_back({associate->name, percent(value / 100.0), value});
            }
            chart.push_back(std::move(bars));
        }
        const QString order = options_.sort == QualitySort::Name
                                  ? QStringLiteral("Sequence Order")
                                  : QStringLiteral("Performance Order");
        printed = printBarChart(printer, report, chart,
                                {order, {QStringLiteral("Accuracy"), QStringLiteral("Percent")}});
    }
    if (printed && options_.histogram) {
        std::vector<double> values;
        for (const ReportBlock& block : list) {
            for (const AssociateHistory* associate : block.associates) {
                values.push_back(accuracy(*associate));
            }
        }
        const QualityHistogramSettings& classes = options_.classes;
        printed = printHistogram(
            printer, report, HistogramClasses(classes.base, classes.top, classes.slots), values,
            {historyText(range().weeks), QStringLiteral("Percent Accuracy"), percentDecimals});
    }
    return printed;
}

}  // namespace vel
