#include "host/ActivityDetailWriter.h"

#include "data/RecordedWork.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "platform/transfer/ExportWriter.h"

#include <functional>
#include <optional>
#include <utility>

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

// Calls use(record) for every record of a table in record order (an open table stays open).
template <class Record>
bool readEach(Table<Record>& table, QString* problem,
              const std::function<void(const Record&)>& use) {
    const bool wasOpen = table.isOpen();
    if (!wasOpen && !table.open()) {
        *problem = table.lastError().isEmpty() ? QStringLiteral("Cannot open the ") + table.name() +
                                                     QStringLiteral(" Table")
                                               : table.lastError();
        return false;
    }
    for (int number = 1; number <= table.recordCount(); ++number) {
        use(table.record(number));
    }
    if (!wasOpen) {
        table.close();
    }
    return true;
}

}  // namespace

bool ActivityDetailWriter::loadNames(QString* problem) {
    associateCodes_.clear();
    associateNames_.clear();
    workCenterCodes_.clear();
    allocationCodes_.clear();
    return rules_.load(system_, problem) &&
           readEach<AssociateRecord>(
               system_.associates(), problem,
               [&](const AssociateRecord& associate) {
                   const QString last = associate.LastName.trimmed();
                   const QString first = associate.FirstName.trimmed();
                   associateNames_.push_back(first.isEmpty() || last.isEmpty()
                                                 ? last + first
                                                 : last + QStringLiteral(", ") + first);
                   associateCodes_.push_back(associate.Code.trimmed());
               }) &&
           readEach<WorkCenterRecord>(system_.workCenters(), problem,
                                      [&](const WorkCenterRecord& center) {
                                          workCenterCodes_.push_back(center.Code.trimmed());
                                      }) &&
           readEach<AllocationRecord>(system_.allocations(), problem,
                                      [&](const AllocationRecord& allocation) {
                                          allocationCodes_.push_back(allocation.Code.trimmed());
                                      });
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
    // One row of cells, changed in place row by row; the activities' trimmed texts once each.
    QList<ExportCell> cells(qsizetype(std::size(columns)));
    std::vector<std::optional<std::pair<QString, QString>>> activityTexts;
    const auto activityCodeAndName = [&](int number) -> const std::pair<QString, QString>& {
        const size_t index = size_t(std::max(number, 0));
        if (index >= activityTexts.size()) {
            activityTexts.resize(index + 1);
        }
        if (!activityTexts[index]) {
            const ActivityRecord* activity = rules_.activity(number);
            activityTexts[index].emplace(activity ? activity->Code.trimmed() : QString(),
                                         activity ? activity->Desc.trimmed() : QString());
        }
        return *activityTexts[index];
    };
    const auto text = [&](Column column, const QString& value) {
        cells[column - 1] = ExportCell::fromText(columns[column - 1], value);
    };
    const auto number = [&](Column column, double value) {
        cells[column - 1] = ExportCell::fromNumber(columns[column - 1], value);
    };
    const bool read =
        status.ok() && work_.forEachLine(from, to, [&](const ProductionLineRecord& line) {
            const WorkFigures figures = rules_.figuresOf(line);
            if (nonZeroOnly && figures.totalHours == 0.0 && figures.units == 0.0 &&
                figures.earnedHours == 0.0 && figures.cost == 0.0) {
                return true;
            }
            const auto& [activityCode, activityName] = activityCodeAndName(line.Activity);
            cells[DateColumn - 1] = ExportCell::fromDate(columns[DateColumn - 1], line.Date);
            text(AssociateCode, textOf(associateCodes_, line.Associate));
            text(AssociateName, textOf(associateNames_, line.Associate));
            text(WorkCenterCode, textOf(workCenterCodes_, line.WorkCenter));
            text(ActivityCode, activityCode);
            text(ActivityName, activityName);
            text(AllocationCode, textOf(allocationCodes_, line.Allocation));
            number(Units, figures.units);
            number(Hours, figures.totalHours);
            number(MeasuredHours, figures.measuredHours);
            number(EarnedHours, figures.earnedHours);
            number(Performance, figures.measuredHours > 0.0
                                    ? figures.earnedHours / figures.measuredHours * Percent
                                    : 0.0);
            number(Cost, figures.cost);
            status = writer.addCells(cells);
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
