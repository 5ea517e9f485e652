#include "host/ReportTemplate.h"

#include "platform/transfer/ExportOutputType.h"

#include <QFile>

#include <array>

namespace vel {

namespace {

struct FigureInfo {
    ReportFigure figure;
    const char* name;
    const char* caption;
};

const std::array<FigureInfo, 12> figureTable{{
    {ReportFigure::TotalHours, "TotalHours", "Total Hours"},
    {ReportFigure::MeasuredHours, "MeasuredHours", "Measured Hours"},
    {ReportFigure::EarnedHours, "EarnedHours", "Earned Hours"},
    {ReportFigure::Performance, "Performance", "Performance"},
    {ReportFigure::Units, "Units", "Units"},
    {ReportFigure::UnitsPerHour, "UnitsPerHour", "Units per Hour"},
    {ReportFigure::Cost, "Cost", "Cost"},
    {ReportFigure::CostPerUnit, "CostPerUnit", "Cost per Unit"},
    {ReportFigure::AuditedUnits, "AuditedUnits", "Audited Units"},
    {ReportFigure::FailedUnits, "FailedUnits", "Failed Units"},
    {ReportFigure::Accuracy, "Accuracy", "Accuracy"},
    {ReportFigure::FailureCost, "FailureCost", "Failure Cost"},
}};

const char* const rangeWords[] = {"Day",  "Week", "Month",  "Quarter",
                                  "Half", "Year", "Custom", "All"};
const char* const levelWords[] = {"Day", "Week", "Period"};

double ratio(double numerator, double divisor) {
    return divisor == 0.0 ? 0.0 : numerator / divisor;
}

// A word of the list (any case) or its number (1-based); 0 when neither.
template <size_t N>
int wordOrNumber(const QString& text, const char* const (&words)[N]) {
    bool isNumber = false;
    const int number = text.toInt(&isNumber);
    if (isNumber) {
        return number >= 1 && number <= int(N) ? number : 0;
    }
    for (size_t index = 0; index < N; ++index) {
        if (text.compare(QLatin1String(words[index]), Qt::CaseInsensitive) == 0) {
            return int(index) + 1;
        }
    }
    return 0;
}

std::optional<ReportColumn> parseColumn(const QString& value) {
    const QString definition = value.section(u'|', 0, 0).trimmed();
    const QString caption = value.section(u'|', 1).trimmed();
    ReportColumn column;
    if (definition.startsWith(QStringLiteral("Field"), Qt::CaseInsensitive)) {
        bool ok = false;
        column.dataField = definition.mid(5).trimmed().toInt(&ok);
        if (!ok || column.dataField < 1) {
            return std::nullopt;
        }
        column.caption = caption.isEmpty()
                             ? QStringLiteral("Field ") + QString::number(column.dataField)
                             : caption;
        return column;
    }
    for (const FigureInfo& info : figureTable) {
        if (definition.compare(QLatin1String(info.name), Qt::CaseInsensitive) == 0) {
            column.figure = info.figure;
            column.caption = caption.isEmpty() ? QString::fromLatin1(info.caption) : caption;
            return column;
        }
    }
    return std::nullopt;
}

}  // namespace

QString figureName(ReportFigure figure) {
    return QString::fromLatin1(figureTable[size_t(figure)].name);
}

QString figureCaption(ReportFigure figure) {
    return QString::fromLatin1(figureTable[size_t(figure)].caption);
}

double ReportColumn::value(const WorkFigures& work, double fieldValue) const {
    if (!figure) {
        return fieldValue;
    }
    switch (*figure) {
        case ReportFigure::TotalHours:
            return work.totalHours;
        case ReportFigure::MeasuredHours:
            return work.measuredHours;
        case ReportFigure::EarnedHours:
            return work.earnedHours;
        case ReportFigure::Performance:
            return ratio(work.earnedHours, work.measuredHours);
        case ReportFigure::Units:
            return work.units;
        case ReportFigure::UnitsPerHour:
            return ratio(work.units, work.totalHours);
        case ReportFigure::Cost:
            return work.cost;
        case ReportFigure::CostPerUnit:
            return ratio(work.cost, work.units);
        case ReportFigure::AuditedUnits:
            return work.auditedUnits;
        case ReportFigure::FailedUnits:
            return work.catchFailedUnits + work.checkFailedUnits + work.auditFailedUnits;
        case ReportFigure::Accuracy:
            return work.accuracyBaseUnits == 0.0
                       ? 0.0
                       : 1.0 - ratio(work.checkFailedUnits + work.auditFailedUnits,
                                     work.accuracyBaseUnits);
        case ReportFigure::FailureCost:
            return work.failureCost;
    }
    return 0.0;
}

bool ReportColumn::isPercentage() const {
    return figure == ReportFigure::Performance || figure == ReportFigure::Accuracy;
}

std::optional<ReportTemplate> ReportTemplate::read(const QString& path, QString* error) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = path + QStringLiteral(": ") + file.errorString();
        }
        return std::nullopt;
    }
    QString problem;
    auto result = parse(QString::fromUtf8(file.readAll()), &problem);
    if (!result && error) {
        *error = path + QStringLiteral(": ") + problem;
    }
    return result;
}

std::optional<ReportTemplate> ReportTemplate::parse(const QString& text, QString* error) {
    ReportTemplate result;
    result.title.clear();
    const auto fail = [&](int line, const QString& problem) {
        if (error) {
            *error = QStringLiteral("line %1: %2").arg(line).arg(problem);
        }
        return std::nullopt;
    };
    int lineNumber = 0;
    for (const QString& rawLine : text.split(u'\n')) {
        ++lineNumber;
        const QString line = rawLine.section(u';', 0, 0).trimmed();
        if (line.isEmpty()) {
            continue;
        }
        const qsizetype equals = line.indexOf(u'=');
        if (equals < 0) {
            return fail(lineNumber, QStringLiteral("\"Key=Value\" expected"));
        }
        const QString key = line.left(equals).trimmed().toLower();
        const QString value = line.mid(equals + 1).trimmed();
        if (key == u"title") {
            result.title = value;
        } else if (key == u"datalevel") {
            result.dataLevel = wordOrNumber(value, levelWords);
            if (result.dataLevel == 0) {
                return fail(lineNumber, QStringLiteral("unknown data level ") + value);
            }
        } else if (key == u"daterange") {
            result.dateRangeType = wordOrNumber(value, rangeWords);
            if (result.dateRangeType == 0) {
                return fail(lineNumber, QStringLiteral("unknown date range ") + value);
            }
        } else if (key == u"column") {
            const auto column = parseColumn(value);
            if (!column) {
                return fail(lineNumber, QStringLiteral("unknown column ") + value);
            }
            result.columns.push_back(*column);
        } else if (key == u"export") {
            if (!ExportOutputType::find(value)) {
                return fail(lineNumber, QStringLiteral("unknown export type ") + value);
            }
            result.exportType = value.toUpper();
        } else {
            return fail(lineNumber, QStringLiteral("unknown key ") + line.left(equals));
        }
    }
    if (result.title.isEmpty()) {
        return fail(lineNumber, QStringLiteral("the template has no title"));
    }
    if (result.columns.empty()) {
        return fail(lineNumber, QStringLiteral("the template has no column"));
    }
    return result;
}

QString ReportTemplate::text() const {
    QString text = QStringLiteral("; Velmor report template\nTitle=") + title + u'\n';
    text += QStringLiteral("DataLevel=") + QLatin1String(levelWords[dataLevel - 1]) + u'\n';
    text += QStringLiteral("DateRange=") + QLatin1String(rangeWords[dateRangeType - 1]) + u'\n';
    for (const ReportColumn& column : columns) {
        text += QStringLiteral("Column=") +
                (column.figure ? figureName(*column.figure)
                               : QStringLiteral("Field ") + QString::number(column.dataField)) +
                u'|' + column.caption + u'\n';
    }
    text += QStringLiteral("Export=") + exportType + u'\n';
    return text;
}

}  // namespace vel
