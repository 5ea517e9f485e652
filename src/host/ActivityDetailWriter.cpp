#include "host/ActivityDetailWriter.h"

#include "data/RecordedWork.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "platform/transfer/ExportWriter.h"

#include <functional>

namespace vel {

namespace {

constexpr double Percent = 100.0;

enum Column {
    DateColumn = 1,
    AssociateCode,
    AssociateName,
    WorkCenterCode,
    ActivityCode,
    ActivityName,
    AllocationCode,
    Units,
    Hours,
    MeasuredHours,
    EarnedHours,
    Performance,
    Cost,
};

const ExportColumn columns[] = {
    {DateColumn, QStringLiteral("DATE"), ExportColumn::DateCode, 8},
    {AssociateCode, QStringLiteral("ASSOC_CODE"), ExportColumn::TextCode, 10},
    {AssociateName, QStringLiteral("ASSOC_NAME"), ExportColumn::TextCode, 32},
    {WorkCenterCode, QStringLiteral("WC_CODE"), ExportColumn::TextCode, 10},
    {ActivityCode, QStringLiteral("ACT_CODE"), ExportColumn::TextCode, 10},
    {ActivityName, QStringLiteral("ACT_DESC"), ExportColumn::TextCode, 30},
    {AllocationCode, QStringLiteral("ALLOC_CODE"), ExportColumn::TextCode, 10},
    {Units, QStringLiteral("UNITS"), ExportColumn::NumberCode, 14, 2},
    {Hours, QStringLiteral("HOURS"), ExportColumn::NumberCode, 10, 2},
    {MeasuredHours, QStringLiteral("MEAS_HOURS"), ExportColumn::NumberCode, 10, 2},
    {EarnedHours, QStringLiteral("EARN_HOURS"), ExportColumn::NumberCode, 10, 2},
    {Performance, QStringLiteral("PERFORM"), ExportColumn::NumberCode, 8, 1},
    {Cost, QStringLiteral("COST"), ExportColumn::NumberCode, 12, 2},
};

// The record's text by number (1-based), empty for a number outside the table.
const QString& textOf(const std::vector<QString>& texts, int number) {
    static const QString none;
    return number >= 1 && size_t(number) <= texts.size() ? texts[size_t(number - 1)] : none;
}

// Reads one text of every record of a table (an open table stays open).
template <class Record, class Text>
bool readTexts(Table<Record>& table, std::vector<Text>& texts, QString* problem,
               const std::function<Text(const Record&)>& textOf) {
    const bool wasOpen = table.isOpen();
    if (!wasOpen && !table.open()) {
        *problem = table.lastError().isEmpty() ? QStringLiteral("Cannot open the ") + table.name() +
                                                     QStringLiteral(" Table")
                                               : table.lastError();
        return false;
    }
    texts.clear();
    for (int number = 1; number <= table.recordCount(); ++number) {
        texts.push_back(textOf(table.record(number)));
    }
    if (!wasOpen) {
        table.close();
    }
    return true;
}

}  // namespace

bool ActivityDetailWriter::loadNames(QString* problem) {
    return rules_.load(system_, problem) &&
           readTexts<AssociateRecord, QString>(
               system_.associates(), associateNames_, problem,
               [](const AssociateRecord& associate) {
                   const QString last = associate.LastName.trimmed();
                   const QString first = associate.FirstName.trimmed();
                   return first.isEmpty() || last.isEmpty() ? last + first
                                                            : last + QStringLiteral(", ") + first;
               }) &&
           readTexts<AssociateRecord, QString>(
               system_.associates(), associateCodes_, problem,
               [](const AssociateRecord& associate) { return associate.Code.trimmed(); }) &&
           readTexts<WorkCenterRecord, QString>(
               system_.workCenters(), workCenterCodes_, problem,
               [](const WorkCenterRecord& center) { return center.Code.trimmed(); }) &&
           readTexts<AllocationRecord, QString>(
               system_.allocations(), allocationCodes_, problem,
               [](const AllocationRecord& allocation) { return allocation.Code.trimmed(); });
}

ActivityDetailResult ActivityDetailWriter::write(const QString& file, const QString& outputType,
                                                 const QDate& from, const QDate& to,
                                                 bool nonZeroOnly) {
    ActivityDetailResult result;
    if (!loadNames(&result.problem)) {
        return result;
    }
    ExportWriter writer;
    ExportStatus status =
        writer.create(outputType, file, QStringLiteral("Table1"), {.headerLine = true});
    for (const ExportColumn& column : columns) {
        if (status.ok()) {
            status = writer.addColumn(column);
        }
    }
    QVariantList values;
    values.reserve(std::size(columns));
    const bool read =
        status.ok() && work_.forEachLine(from, to, [&](const ProductionLineRecord& line) {
            const WorkFigures figures = rules_.figuresOf(line);
            if (nonZeroOnly && figures.totalHours == 0.0 && figures.units == 0.0 &&
                figures.earnedHours == 0.0 && figures.cost == 0.0) {
                return true;
            }
            const ActivityRecord* activity = rules_.activity(line.Activity);
            values = {line.Date,
                      textOf(associateCodes_, line.Associate),
                      textOf(associateNames_, line.Associate),
                      textOf(workCenterCodes_, line.WorkCenter),
                      activity ? activity->Code.trimmed() : QString(),
                      activity ? activity->Desc.trimmed() : QString(),
                      textOf(allocationCodes_, line.Allocation),
                      figures.units,
                      figures.totalHours,
                      figures.measuredHours,
                      figures.earnedHours,
                      figures.measuredHours > 0.0
                          ? figures.earnedHours / figures.measuredHours * Percent
                          : 0.0,
                      figures.cost};
            status = writer.addRow(values);
            return status.ok();
        });
    if (status.ok() && !read) {
        writer.discard();
        result.problem = QStringLiteral("The production-sheet lines could not be read");
        return result;
    }
    if (status.ok()) {
        status = writer.close();
    }
    if (!status.ok()) {
        result.problem = status.message();
        return result;
    }
    result.rows = writer.rowCount();
    return result;
}

}  // namespace vel
