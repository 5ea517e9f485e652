#include "host/ReportSeries.h"

#include "data/FiscalCalendarObject.h"
#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/ElementRecord.h"
#include "services/NumberFormat.h"

#include <map>

namespace vel {

namespace {

FiscalSpan pointOf(const FiscalCalendarObject& calendar, int dataLevel, const QDate& date) {
    switch (dataLevel) {
        case 2:
            return FiscalCalendarObject::week(date);
        case 3:
            return calendar.period(date);
        default:
            return FiscalSpan{date.year(), 1, date, date};
    }
}

// The activities the subject covers, by record number.
std::vector<int> subjectActivities(Table<ActivityRecord>& activities,
                                   const ReportSubject& subject) {
    std::vector<int> numbers;
    if (subject.kind == ReportSubject::Kind::Activity) {
        numbers.push_back(subject.number);
        return numbers;
    }
    for (int number = 1; number <= activities.recordCount(); ++number) {
        if (activities.isActive(number) && activities.record(number).TOW == subject.number) {
            numbers.push_back(number);
        }
    }
    return numbers;
}

// One column per element of the subject's activities whose units are posted to a data field:
// the element's description and the fields that hold its units.
void addElementColumns(VelmorSystem& system, const std::vector<int>& activities,
                       std::vector<ReportColumn>& columns, std::vector<QList<int>>& fields) {
    std::map<int, QList<int>> fieldsByElement;
    for (int number : activities) {
        const ActivityRecord activity = system.activities().record(number);
        for (const ActivityElementSlot& slot : activity.Elements) {
            if (!slot.isEmpty() && slot.UnitsField > 0 &&
                !fieldsByElement[slot.Element].contains(slot.UnitsField)) {
                fieldsByElement[slot.Element].append(slot.UnitsField);
            }
        }
    }
    Table<ElementRecord>& elements = system.elements();
    const bool opened = !elements.isOpen() && elements.open();
    for (const auto& [element, elementFields] : fieldsByElement) {
        ReportColumn column;
        column.caption = elements.isOpen() ? elements.record(element).Desc.trimmed()
                                           : QStringLiteral("Element ") + QString::number(element);
        columns.push_back(column);
        fields.push_back(elementFields);
    }
    if (opened) {
        elements.close();
    }
}

}  // namespace

double ReportSeries::value(const ReportSeriesRow& row, size_t column) const {
    size_t fieldIndex = 0;
    for (size_t index = 0; index < column; ++index) {
        fieldIndex += columns[index].figure ? 0 : 1;
    }
    const double field = columns[column].figure ? 0.0 : row.fieldValues.at(fieldIndex);
    return columns[column].value(row.figures, field);
}

QStringList ReportSeries::cells(const ReportSeriesRow& row) const {
    QStringList texts;
    for (size_t column = 0; column < columns.size(); ++column) {
        const double number = value(row, column);
        texts << (columns[column].isPercentage()
                      ? FormatNumber(number * 100.0, QStringLiteral("##0.0")) + u'%'
                      : FormatNumber(number, QStringLiteral("#,##0.00")));
    }
    return texts;
}

std::pair<QDate, QDate> reportRangeDays(RecordedWork& work, int rangeType, const QDate& ending) {
    const FiscalCalendarObject& calendar = work.fiscalCalendar();
    FiscalSpan span;
    switch (rangeType) {
        case 1:
            return {ending, ending};
        case 2:
            span = FiscalCalendarObject::week(ending);
            break;
        case 3:
            span = calendar.period(ending);
            break;
        case 4:
            span = calendar.quarter(ending);
            break;
        case 5:
            span = calendar.half(ending);
            break;
        case 6:
            span = calendar.year(ending);
            break;
        case 8:
            return {calendar.systemFirstDate(), ending};
        default:  // a custom range without its own dates: the four weeks up to the date
            return {ending.addDays(-27), ending};
    }
    return {span.first, span.last};
}

ReportSeries computeReportSeries(VelmorSystem& system, const ReportTemplate& report,
                                 const ReportSubject& subject, const ReportRange& range,
                                 bool showElements) {
    ReportSeries series;
    series.columns = report.columns;
    std::vector<QList<int>> fieldsOfColumn;
    for (const ReportColumn& column : report.columns) {
        if (!column.figure) {
            fieldsOfColumn.push_back({column.dataField});
        }
    }
    const std::vector<int> activities = subjectActivities(system.activities(), subject);
    if (showElements) {
        addElementColumns(system, activities, series.columns, fieldsOfColumn);
    }

    // A type of work is one selection; the activities without one are selected one by one.
    std::vector<WorkSelection> selections;
    if (subject.kind == ReportSubject::Kind::TypeOfWork && subject.number > 0) {
        selections.push_back({.typeOfWork = subject.number});
    } else {
        for (int activity : activities) {
            selections.push_back({.activity = activity});
        }
    }

    RecordedWork& work = system.recordedWork();
    const FiscalCalendarObject& calendar = work.fiscalCalendar();
    // The points of the range, each with its figures.
    std::vector<ReportSeriesRow> points;
    for (QDate date = range.startDate; date.isValid() && date <= range.lastDate;) {
        const FiscalSpan span = pointOf(calendar, range.dataLevel, date);
        ReportSeriesRow row;
        row.first = date;
        row.last = std::min(span.last.isValid() ? span.last : date, range.lastDate);
        row.fieldValues.assign(fieldsOfColumn.size(), 0.0);
        for (const WorkSelection& selection : selections) {
            for (const AccountFigures& figures :
                 work.figures(AccountLevel::System, row.first, row.last, selection, false)) {
                row.figures += figures.figures;
            }
        }
        points.push_back(std::move(row));
        date = points.back().last.addDays(1);
    }
    // Data fields are the system account's, read day by day and summed into the points.
    QList<int> allFields;
    for (const QList<int>& fields : fieldsOfColumn) {
        allFields += fields;
    }
    if (!allFields.isEmpty() && !points.empty()) {
        size_t point = 0;
        for (const DataPoint& day :
             work.dataFieldSeries(AccountLevel::System, 1, allFields, range.startDate,
                                  range.lastDate, DataGrain::Day)) {
            while (point + 1 < points.size() && points[point].last < day.ending) {
                ++point;
            }
            qsizetype valueIndex = 0;
            for (size_t column = 0; column < fieldsOfColumn.size(); ++column) {
                for (qsizetype field = 0; field < fieldsOfColumn[column].size(); ++field) {
                    points[point].fieldValues[column] += day.values.at(size_t(valueIndex++));
                }
            }
        }
    }
    series.total.first = range.startDate;
    series.total.last = range.lastDate;
    series.total.fieldValues.assign(fieldsOfColumn.size(), 0.0);
    for (ReportSeriesRow& row : points) {
        const bool hasFields = std::any_of(row.fieldValues.begin(), row.fieldValues.end(),
                                           [](double value) { return value != 0.0; });
        if (row.figures.isZero() && !hasFields) {
            continue;
        }
        series.total.figures += row.figures;
        for (size_t column = 0; column < row.fieldValues.size(); ++column) {
            series.total.fieldValues[column] += row.fieldValues[column];
        }
        series.rows.push_back(std::move(row));
    }
    return series;
}

}  // namespace vel
