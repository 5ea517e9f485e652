#pragma once
// A report template of the reference host's report module: a small text file of "Key=Value"
// lines (";" starts a comment line; keys in any case):
//
//     Title=Weekly Performance
//     DataLevel=Week            ; the points of the time series: Day, Week or Period
//     DateRange=Quarter         ; Day, Week, Month, Quarter, Half, Year, Custom, All (or 1..8)
//     Column=MeasuredHours      ; a figure of the recorded work ...
//     Column=EarnedHours|Earned ; ... with its own caption after "|"
//     Column=Field 12|Cartons   ; or a data field by number
//     Export=CSV                ; output type of "Export" (CSV when missing)
//
// Figures: TotalHours, MeasuredHours, EarnedHours, Performance, Units, UnitsPerHour, Cost,
// CostPerUnit, AuditedUnits, FailedUnits, Accuracy, FailureCost. See docs/reports.md.
#include "data/RecordedWork.h"

#include <QString>
#include <optional>
#include <vector>

namespace vel {

enum class ReportFigure {
    TotalHours,
    MeasuredHours,
    EarnedHours,
    Performance,
    Units,
    UnitsPerHour,
    Cost,
    CostPerUnit,
    AuditedUnits,
    FailedUnits,
    Accuracy,
    FailureCost
};

struct ReportColumn {
    std::optional<ReportFigure> figure;  // a figure, or else the data field
    int dataField = 0;
    QString caption;

    // The column's value from summed work (figures) or the summed data-field value.
    double value(const WorkFigures& figures, double fieldValue) const;
    // Ratios print as percentages ("##0.0%"), the rest as "#,##0.00".
    bool isPercentage() const;
    bool operator==(const ReportColumn&) const = default;
};

struct ReportTemplate {
    QString title;
    int dataLevel = 1;      // 1 day, 2 week, 3 fiscal period
    int dateRangeType = 2;  // the report dialog's length codes 1..8
    std::vector<ReportColumn> columns;
    QString exportType = QStringLiteral("CSV");

    // Reads a template file; nullopt with the reason in error (naming the file and the line).
    static std::optional<ReportTemplate> read(const QString& path, QString* error = nullptr);
    static std::optional<ReportTemplate> parse(const QString& text, QString* error = nullptr);
    // The template as its file holds it.
    QString text() const;
    bool operator==(const ReportTemplate&) const = default;
};

// The figure's name in a template ("EarnedHours") and its default caption ("Earned Hours").
QString figureName(ReportFigure figure);
QString figureCaption(ReportFigure figure);

}  // namespace vel
