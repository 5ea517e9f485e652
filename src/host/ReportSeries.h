#pragma once
// The figures of one report of the report module: the time series of its data points (days,
// weeks or fiscal periods) over the report's range, for one activity or the activities of one
// type of work, with the template's columns and, when asked, one column of units per element.
#include "data/ReportModule.h"
#include "host/ReportTemplate.h"

#include <QStringList>
#include <vector>

namespace vel {

class VelmorSystem;

struct ReportSeriesRow {
    QDate first;
    QDate last;
    WorkFigures figures;
    std::vector<double> fieldValues;  // one per data-field column, in column order
};

struct ReportSeries {
    std::vector<ReportColumn> columns;  // the template's, then one per element when asked
    std::vector<ReportSeriesRow> rows;  // points with recorded work, in date order
    ReportSeriesRow total;

    // The cell texts of a row: the column values as printed.
    QStringList cells(const ReportSeriesRow& row) const;
    double value(const ReportSeriesRow& row, size_t column) const;
};

// The first and last day of a range type (1..8) ending on the date.
std::pair<QDate, QDate> reportRangeDays(RecordedWork& work, int rangeType, const QDate& ending);

// Reads the figures of the report from the system's recorded work. The master tables it needs
// must be open.
ReportSeries computeReportSeries(VelmorSystem& system, const ReportTemplate& report,
                                 const ReportSubject& subject, const ReportRange& range,
                                 bool showElements);

}  // namespace vel
