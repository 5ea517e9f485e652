#include "maintenance/ValidationTableWriter.h"

#include "data/DataCollectionDay.h"
#include "data/VelmorSystem.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/DataFieldRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/GroupingRecord.h"
#include "data/records/StandardRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "platform/transfer/ExportRow.h"
#include "platform/transfer/ExportWriter.h"
#include "services/ErrorReport.h"
#include "services/YesNo.h"

namespace vel {

namespace {

constexpr int Text = ExportColumn::TextCode;
constexpr int Whole = ExportColumn::IntegerCode;
constexpr int SmallWhole = ExportColumn::SmallIntegerCode;
constexpr int Number = ExportColumn::NumberCode;
constexpr int Date = ExportColumn::DateCode;
constexpr int Time = ExportColumn::TimeCode;

void require(const ExportStatus& status) {
    if (!status.ok()) {
        throw ExportError(status.code(), status.message());
    }
}

// A time of day as the files show it: hours and minutes.
QTime toMinute(QTime time) {
    return time.isValid() ? QTime(time.hour(), time.minute()) : QTime();
}

// A single-precision standard as the decimal it was entered as (12.3, not 12.30000019).
double standardValue(float value) {
    return QString::number(value, 'g', 7).toDouble();
}

// The entry of a record-number lookup, empty for 0 or a number beyond the table.
QString lookUp(const std::vector<QString>& texts, int number) {
    return number > 0 && size_t(number) < texts.size() ? texts[size_t(number)] : QString();
}

// Runs the body with the number and the record of every active record of the table.
template <class Record, class Body>
void forEachActive(Table<Record>& table, Body&& body) {
    const int count = table.recordCount();
    for (int number = 1; number <= count; ++number) {
        if (table.isActive(number)) {
            body(number, table.record(number));
        }
    }
}

}  // namespace

ValidationTableWriter::ValidationTableWriter(VelmorSystem& system) : system_(system) {}

ValidationTableWriter::~ValidationTableWriter() {
    for (auto table = opened_.rbegin(); table != opened_.rend(); ++table) {
        (*table)->close();
    }
}

void ValidationTableWriter::write(ValidationTable table, const QString& outputType,
                                  const QString& path, const ExportOptions& options) {
    ExportWriter writer;
    require(writer.create(outputType, path, QStringLiteral("ValTable"), options));
    nextPosition_ = 1;
    switch (table) {
        case ValidationTable::Activity:
            writeActivities(writer);
            break;
        case ValidationTable::WorkCenter:
            writeWorkCenters(writer);
            break;
        case ValidationTable::Associate:
            writeAssociates(writer);
            break;
        case ValidationTable::Allocation:
            writeCodeTable(writer, system_.allocations());
            break;
        case ValidationTable::Element:
            writeElements(writer);
            break;
        case ValidationTable::DataFields:
            writeDataFields(writer);
            break;
        case ValidationTable::ElementsOnActivities:
            writeElementsOnActivities(writer);
            break;
        case ValidationTable::StandardsByAllocation:
            writeStandards(writer);
            break;
        case ValidationTable::TypeOfWork:
            writeCodeTable(writer, system_.typesOfWork());
            break;
        case ValidationTable::ValidTypesOfWork:
            writeValidTypesOfWork(writer);
            break;
    }
    require(writer.close());
}

void ValidationTableWriter::declare(ExportWriter& writer,
                                    std::initializer_list<ColumnShape> columns) {
    for (const ColumnShape& column : columns) {
        require(writer.addColumn(nextPosition_++, QString::fromLatin1(column.name), column.typeCode,
                                 column.width, column.decimals));
    }
}

void ValidationTableWriter::addRow(ExportWriter& writer, ExportRow& row) {
    require(writer.addCells(row.finished()));
}

const std::vector<std::pair<int, ActivityRecord>>& ValidationTableWriter::activeActivities() {
    auto& activities = system_.activities();
    use(activities);
    if (!activitiesRead_) {
        forEachActive(activities, [&](int number, const ActivityRecord& activity) {
            activities_.emplace_back(number, activity);
        });
        activitiesRead_ = true;
    }
    return activities_;
}

void ValidationTableWriter::use(TableObject& table) {
    if (table.isOpen()) {
        return;
    }
    if (!table.open()) {
        throw RuntimeError(GenericErrorNumber, QStringLiteral("Error opening the ") + table.name() +
                                                   QStringLiteral(" table. ") + table.lastError());
    }
    opened_.push_back(&table);
}

const std::vector<QString>& ValidationTableWriter::codes(TableObject& table) {
    use(table);
    auto known = codes_.find(&table);
    if (known != codes_.end()) {
        return known->second;
    }
    std::vector<QString>& codes = codes_[&table];
    codes.resize(size_t(table.recordCount()) + 1);
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            codes[size_t(number)] = table.code(number).trimmed();
        }
    }
    return codes;
}

void ValidationTableWriter::writeActivities(ExportWriter& writer) {
    const auto& activities = activeActivities();
    const std::vector<QString>& typeOfWorkCodes = codes(system_.typesOfWork());
    const std::vector<QString>& elementNames = codes(system_.elements());
    declare(writer, {{"CODE", Text, 10},      {"DESC", Text, 30},       {"TOW_CODE", Text, 10},
                     {"EHRS_TYPE", Whole, 4}, {"ALLOCATED", Whole, 4},  {"SAMESTD", Whole, 4},
                     {"GETDOC", Whole, 4},    {"DOCNAME", Text, 15},    {"RECORD", Whole, 5},
                     {"FLD-AHRS", Whole, 5},  {"FLD-EHRS", Whole, 5},   {"FLD-COST", Whole, 5},
                     {"IN-TOT", Whole, 4},    {"IN-TOW", Whole, 4},     {"IN-QUAL", Whole, 4},
                     {"IN-INC", Whole, 4},    {"IN-PPA", Whole, 4},     {"HIST-STD", Whole, 4},
                     {"XYZ", Whole, 4},       {"KIOSK", SmallWhole, 2}, {"NUMELM", SmallWhole, 2}});
    for (int slot = 1; slot <= ActivityRecord::ElementSlots; ++slot) {
        require(writer.addColumn(nextPosition_++, QStringLiteral("ELM_DESC%1").arg(slot),
                                 SmallWhole, 30));
    }
    ExportRow row(writer.columns());
    for (const auto& [number, activity] : activities) {
        int historicalSlot = 0;
        for (int slot = 0; slot < ActivityRecord::ElementSlots; ++slot) {
            const ActivityElementSlot& entry = activity.Elements[size_t(slot)];
            if (!entry.isEmpty() && entry.Historical) {
                historicalSlot = slot + 1;
                break;
            }
        }
        row.text(activity.Code)
            .text(activity.Desc)
            .text(lookUp(typeOfWorkCodes, activity.TOW))
            .number(activity.EarnedHrsCalc)
            .number(activity.Allocate)
            .flag(activity.AllAllocSameStd)
            .flag(activity.GetDoc)
            .text(activity.Document)
            .number(number)
            .number(activity.FldHoursto)
            .number(activity.FldEarnedto)
            .number(activity.FldCostto)
            .flag(activity.UnitsinAlloc)
            .flag(activity.UnitsinTOW)
            .flag(activity.UnitsinQual)
            .flag(activity.ExcludeFromIncentive)
            .flag(activity.ExcludeFromPPA)
            .number(historicalSlot)
            .flag(activity.UseXYZ)
            .flag(activity.Kiosk)
            .number(activity.elementCount());
        for (const ActivityElementSlot& entry : activity.Elements) {
            row.text(lookUp(elementNames, entry.Element));
        }
        addRow(writer, row);
    }
}

void ValidationTableWriter::writeWorkCenters(ExportWriter& writer) {
    auto& workCenters = system_.workCenters();
    use(workCenters);
    declare(writer, {{"CODE", Text, 10},
                     {"DESC", Text, 30},
                     {"RECORD", Whole, 5},
                     {"SHIFT", SmallWhole, 5},
                     {"KIOSK", SmallWhole, 2},
                     {"SEQUENCE", SmallWhole, 2},
                     {"STARTTIME", Time, 8},
                     {"STOPTIME", Time, 8},
                     {"DATASTART", Text, 20},
                     {"DATASTOP", Text, 20},
                     {"SUPERVISOR", Text, 30}});
    ExportRow row(writer.columns());
    forEachActive(workCenters, [&](int number, const WorkCenterRecord& center) {
        const DataCollectionDay day = dataCollectionDay(center.StartTime, center.StopTime);
        row.text(center.Code)
            .text(center.Desc)
            .number(number)
            .number(center.Shift)
            .flag(center.TouchScreen)
            .number(center.Sequence)
            .time(toMinute(center.StartTime))
            .time(toMinute(center.StopTime))
            .text(day.start)
            .text(day.end)
            .text(center.Supervisor);
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeAssociates(ExportWriter& writer) {
    auto& associates = system_.associates();
    use(associates);
    const std::vector<QString>& workCenterCodes = codes(system_.workCenters());
    const std::vector<QString>& groupingCodes = codes(system_.groupings());
    declare(writer, {{"CODE", Text, 10},
                     {"LNAME", Text, 15},
                     {"FNAME", Text, 15},
                     {"HOMEWC", Text, 20},
                     {"SSN", Text, 20},
                     {"BADGE1", Text, 20},
                     {"BADGE2", Text, 20},
                     {"BADGE3", Text, 20},
                     {"BADGE4", Text, 20},
                     {"BADGE5", Text, 20},
                     {"SHIFT", SmallWhole, 2},
                     {"HIREDATE", Date, 8},
                     {"WAGERATE", Number, 10, 2},
                     {"PERFGOAL", Number, 10, 2},
                     {"GROUP", Text, 30},
                     {"ONPAYROLL", SmallWhole, 2},
                     {"ONINCENTIV", SmallWhole, 2},
                     {"BASEINC", Number, 10, 2},
                     {"TENUREDATE", Date, 8},
                     {"TESTPERF", SmallWhole, 2},
                     {"TESTQUAL", SmallWhole, 2},
                     {"RECORD", Whole, 5},
                     {"BADGE6", Text, 20},
                     {"BADGE7", Text, 20},
                     {"BADGE8", Text, 20},
                     {"BADGE9", Text, 20},
                     {"BADGE10", Text, 20}});
    ExportRow row(writer.columns());
    forEachActive(associates, [&](int number, const AssociateRecord& associate) {
        row.text(associate.Code)
            .text(associate.LastName)
            .text(associate.FirstName)
            .text(lookUp(workCenterCodes, associate.WorkCenter))
            .text(associate.SSN);
        for (int badge = 0; badge < 5; ++badge) {
            row.text(associate.Badge[size_t(badge)]);
        }
        row.number(associate.Shift)
            .date(associate.HireDate)
            .number(associate.WageRate)
            .number(associate.PerfGoal)
            .text(lookUp(groupingCodes, associate.Grouping))
            .flag(associate.OnPayRoll)
            .flag(associate.PayIncentive)
            .number(associate.BaseIncentive)
            .date(associate.PolicyDate)
            .flag(associate.IncludeinPerf)
            .flag(associate.IncludeinQuality)
            .number(number);
        for (int badge = 5; badge < AssociateRecord::Badges; ++badge) {
            row.text(associate.Badge[size_t(badge)]);
        }
        addRow(writer, row);
    });
}

template <class Record>
void ValidationTableWriter::writeCodeTable(ExportWriter& writer, Table<Record>& table) {
    use(table);
    declare(writer, {{"CODE", Text, 10}, {"DESC", Text, 30}, {"RECORD", Whole, 5}});
    ExportRow row(writer.columns());
    forEachActive(table, [&](int number, const Record& record) {
        row.text(record.Code).text(record.Desc).number(number);
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeElements(ExportWriter& writer) {
    auto& elements = system_.elements();
    use(elements);
    declare(writer, {{"DESC", Text, 15}, {"RECORD", Whole, 5}});
    ExportRow row(writer.columns());
    forEachActive(elements, [&](int number, const ElementRecord& element) {
        row.text(element.Desc).number(number);
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeDataFields(ExportWriter& writer) {
    auto& fields = system_.dataFields();
    use(fields);
    declare(writer, {{"RECORD", Whole, 4},
                     {"DESC", Text, 50},
                     {"SYSTEM", Text, 3},
                     {"WORKCENTER", Text, 3},
                     {"ASSOCIATE", Text, 3},
                     {"ALLOCATION", Text, 3}});
    ExportRow row(writer.columns());
    forEachActive(fields, [&](int number, const DataFieldRecord& field) {
        row.number(number)
            .text(field.Desc)
            .text(yesNo(field.System))
            .text(yesNo(field.WorkCenter))
            .text(yesNo(field.Associate))
            .text(yesNo(field.Allocation));
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeElementsOnActivities(ExportWriter& writer) {
    const auto& activities = activeActivities();
    const std::vector<QString>& elementNames = codes(system_.elements());
    declare(writer, {{"CODE", Text, 10},
                     {"DESC", Text, 30},
                     {"ELEMENT", Text, 15},
                     {"FLD-UNITS", Whole, 5},
                     {"INCL_ACT", Whole, 2},
                     {"INCL_TOW", Whole, 2}});
    ExportRow row(writer.columns());
    for (const auto& [number, activity] : activities) {
        for (const ActivityElementSlot& entry : activity.Elements) {
            if (entry.isEmpty()) {
                continue;
            }
            // The units reach the type of work's totals only when they count in the activity's
            // total and the activity passes its units on to its type of work.
            row.text(activity.Code)
                .text(activity.Desc)
                .text(lookUp(elementNames, entry.Element))
                .number(entry.UnitsField)
                .flag(entry.UseUnits)
                .flag(entry.UseUnits && activity.UnitsinTOW);
            addRow(writer, row);
        }
    }
}

void ValidationTableWriter::writeStandards(ExportWriter& writer) {
    auto& standards = system_.standards();
    use(standards);
    const std::vector<QString>& activityCodes = codes(system_.activities());
    const std::vector<QString>& allocationCodes = codes(system_.allocations());
    const std::vector<QString>& elementNames = codes(system_.elements());
    declare(writer, {{"ACT_CODE", Text, 10},
                     {"ALLOC_CODE", Text, 10},
                     {"ELEMENT", Text, 15},
                     {"UNITSHOUR", Number, 13, 7},
                     {"MINUTES", Number, 13, 5}});
    ExportRow row(writer.columns());
    forEachActive(standards, [&](int, const StandardRecord& standard) {
        if (standard.Element == 0) {
            return;  // the row that only marks the allocation as valid for the activity
        }
        const double unitsPerHour = standardValue(standard.UnitsPerHour);
        row.text(lookUp(activityCodes, standard.Activity))
            .text(lookUp(allocationCodes, standard.Allocation))
            .text(lookUp(elementNames, standard.Element))
            .number(unitsPerHour)
            .number(unitsPerHour > 0.0 ? 60.0 / unitsPerHour : 0.0);
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeValidTypesOfWork(ExportWriter& writer) {
    auto& workCenters = system_.workCenters();
    use(workCenters);
    const std::vector<QString>& typeOfWorkCodes = codes(system_.typesOfWork());
    declare(writer, {{"WCCODE", Text, 10}, {"TOWCODE", Text, 10}, {"VALID", Whole, 2}});
    const int typeCount = std::min(int(typeOfWorkCodes.size()) - 1, WorkCenterRecord::TypesOfWork);
    ExportRow row(writer.columns());
    forEachActive(workCenters, [&](int, const WorkCenterRecord& center) {
        for (int type = 1; type <= typeCount; ++type) {
            if (!typeOfWorkCodes[size_t(type)].isEmpty()) {
                row.text(center.Code)
                    .text(typeOfWorkCodes[size_t(type)])
                    .flag(center.TOWValid[size_t(type - 1)]);
                addRow(writer, row);
            }
        }
    });
}

}  // namespace vel
