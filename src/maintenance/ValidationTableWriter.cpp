#include "maintenance/ValidationTableWriter.h"

#include "maintenance/StandardValue.h"

#include "data/DataCollectionDay.h"
#include "data/RecordFieldReader.h"
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

// The entry of a record-number lookup, empty for 0 or a number beyond the table.
QString lookUp(const std::vector<QString>& texts, int number) {
    return number > 0 && size_t(number) < texts.size() ? texts[size_t(number)] : QString();
}

// Runs the body with the number of every active record of the table, the reader on its record.
template <class Record, class Body>
void forEachActive(Table<Record>& table, RecordFieldReader<Record>& fields, Body&& body) {
    const int count = table.recordCount();
    for (int number = 1; number <= count; ++number) {
        if (table.isActive(number)) {
            fields.select(number);
            body(number);
        }
    }
}

// The handles of named fields, in the order given.
template <class Record, size_t N>
std::array<int, N> fieldsNamed(RecordFieldReader<Record>& fields, const char* const (&names)[N]) {
    std::array<int, N> handles{};
    for (size_t index = 0; index < N; ++index) {
        handles[index] = fields.field(QString::fromLatin1(names[index]));
    }
    return handles;
}

// What the files show of an activity's element slots.
struct SlotEntry {
    int element = 0;  // 0: the slot is empty
    bool useUnits = false;
    bool historical = false;
    int unitsField = 0;
};

// Reads the element slots of the selected activity: each slot's element, its switches ("T"/"F"
// in the order UseUnits, Override, Occurrence, Historical, ...) and units field.
class ActivitySlots {
  public:
    explicit ActivitySlots(RecordFieldReader<ActivityRecord>& fields) : fields_(fields) {
        for (int slot = 1; slot <= ActivityRecord::ElementSlots; ++slot) {
            handles_.push_back({fields.field(QStringLiteral("Element%1").arg(slot)),
                                fields.field(QStringLiteral("Switches%1").arg(slot)),
                                fields.field(QStringLiteral("UnitsField%1").arg(slot))});
        }
    }
    std::array<SlotEntry, ActivityRecord::ElementSlots> read() const {
        std::array<SlotEntry, ActivityRecord::ElementSlots> slots;
        for (size_t slot = 0; slot < slots.size(); ++slot) {
            const Handles& handles = handles_[slot];
            const int element = int(fields_.whole(handles.element));
            if (element == 0) {
                continue;  // an empty slot: nothing else of it is shown
            }
            const QString switches = fields_.text(handles.switches);
            slots[slot] = {element, switches.size() > 0 && switches[0] == u'T',
                           switches.size() > 3 && switches[3] == u'T',
                           int(fields_.whole(handles.unitsField))};
        }
        return slots;
    }

  private:
    struct Handles {
        int element;
        int switches;
        int unitsField;
    };
    RecordFieldReader<ActivityRecord>& fields_;
    std::vector<Handles> handles_;
};

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

const std::vector<int>& ValidationTableWriter::activeActivities() {
    auto& activities = system_.activities();
    use(activities);
    if (!activitiesRead_) {
        for (int number = 1; number <= activities.recordCount(); ++number) {
            if (activities.isActive(number)) {
                activities_.push_back(number);
            }
        }
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
    const std::vector<int>& activities = activeActivities();
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
    RecordFieldReader<ActivityRecord> fields(system_.activities());
    const auto [code, desc, typeOfWork, earnedHours, allocate, sameStandard, getDocument, document,
                hoursField, earnedField, costField, inTotal, inTypeOfWork, inQuality, noIncentive,
                noPpa, xyz, kiosk] =
        fieldsNamed(fields, {"Code", "Desc", "TOW", "EarnedHrsCalc", "Allocate", "AllAllocSameStd",
                             "GetDoc", "Document", "FldHoursto", "FldEarnedto", "FldCostto",
                             "UnitsinAlloc", "UnitsinTOW", "UnitsinQual", "ExcludeFromIncentive",
                             "ExcludeFromPPA", "UseXYZ", "Kiosk"});
    const ActivitySlots slotReader(fields);
    ExportRow row(writer.columns());
    for (const int number : activities) {
        fields.select(number);
        const auto slots = slotReader.read();
        int historicalSlot = 0;
        int elementCount = 0;
        for (size_t slot = 0; slot < slots.size(); ++slot) {
            if (slots[slot].element != 0) {
                ++elementCount;
                if (slots[slot].historical && historicalSlot == 0) {
                    historicalSlot = int(slot) + 1;
                }
            }
        }
        row.text(fields.text(code))
            .text(fields.text(desc))
            .text(lookUp(typeOfWorkCodes, int(fields.whole(typeOfWork))))
            .number(int(fields.whole(earnedHours)))
            .number(int(fields.whole(allocate)))
            .flag(fields.flag(sameStandard))
            .flag(fields.flag(getDocument))
            .text(fields.text(document))
            .number(number)
            .number(int(fields.whole(hoursField)))
            .number(int(fields.whole(earnedField)))
            .number(int(fields.whole(costField)))
            .flag(fields.flag(inTotal))
            .flag(fields.flag(inTypeOfWork))
            .flag(fields.flag(inQuality))
            .flag(fields.flag(noIncentive))
            .flag(fields.flag(noPpa))
            .number(historicalSlot)
            .flag(fields.flag(xyz))
            .flag(fields.flag(kiosk))
            .number(elementCount);
        for (const SlotEntry& entry : slots) {
            row.text(lookUp(elementNames, entry.element));
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
    RecordFieldReader<WorkCenterRecord> fields(workCenters);
    const auto [code, desc, shift, touchScreen, sequence, startTime, stopTime, supervisor] =
        fieldsNamed(fields, {"Code", "Desc", "Shift", "TouchScreen", "Sequence", "StartTime",
                             "StopTime", "Supervisor"});
    ExportRow row(writer.columns());
    forEachActive(workCenters, fields, [&](int number) {
        const QTime start = fields.time(startTime);
        const QTime stop = fields.time(stopTime);
        const DataCollectionDay day = dataCollectionDay(start, stop);
        row.text(fields.text(code))
            .text(fields.text(desc))
            .number(number)
            .number(int(fields.whole(shift)))
            .flag(fields.flag(touchScreen))
            .number(int(fields.whole(sequence)))
            .time(toMinute(start))
            .time(toMinute(stop))
            .text(day.start)
            .text(day.end)
            .text(fields.text(supervisor));
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
    RecordFieldReader<AssociateRecord> fields(associates);
    const auto [code, lastName, firstName, workCenter, ssn, shift, hired, wageRate, goal, grouping,
                onPayroll, onIncentive, baseIncentive, policyDate, inPerformance, inQuality] =
        fieldsNamed(fields,
                    {"Code", "LastName", "FirstName", "WorkCenter", "SSN", "Shift", "HireDate",
                     "WageRate", "PerfGoal", "Grouping", "OnPayRoll", "PayIncentive",
                     "BaseIncentive", "PolicyDate", "IncludeinPerf", "IncludeinQuality"});
    std::array<int, AssociateRecord::Badges> badges{};
    for (int badge = 1; badge <= AssociateRecord::Badges; ++badge) {
        badges[size_t(badge - 1)] = fields.field(QStringLiteral("Badge%1").arg(badge));
    }
    ExportRow row(writer.columns());
    forEachActive(associates, fields, [&](int number) {
        row.text(fields.text(code))
            .text(fields.text(lastName))
            .text(fields.text(firstName))
            .text(lookUp(workCenterCodes, int(fields.whole(workCenter))))
            .text(fields.text(ssn));
        for (size_t badge = 0; badge < 5; ++badge) {
            row.text(fields.text(badges[badge]));
        }
        row.number(int(fields.whole(shift)))
            .date(fields.date(hired))
            .number(fields.number(wageRate))
            .number(fields.number(goal))
            .text(lookUp(groupingCodes, int(fields.whole(grouping))))
            .flag(fields.flag(onPayroll))
            .flag(fields.flag(onIncentive))
            .number(fields.number(baseIncentive))
            .date(fields.date(policyDate))
            .flag(fields.flag(inPerformance))
            .flag(fields.flag(inQuality))
            .number(number);
        for (size_t badge = 5; badge < badges.size(); ++badge) {
            row.text(fields.text(badges[badge]));
        }
        addRow(writer, row);
    });
}

template <class Record>
void ValidationTableWriter::writeCodeTable(ExportWriter& writer, Table<Record>& table) {
    use(table);
    declare(writer, {{"CODE", Text, 10}, {"DESC", Text, 30}, {"RECORD", Whole, 5}});
    RecordFieldReader<Record> fields(table);
    const auto [code, desc] = fieldsNamed(fields, {"Code", "Desc"});
    ExportRow row(writer.columns());
    forEachActive(table, fields, [&](int number) {
        row.text(fields.text(code)).text(fields.text(desc)).number(number);
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeElements(ExportWriter& writer) {
    auto& elements = system_.elements();
    use(elements);
    declare(writer, {{"DESC", Text, 15}, {"RECORD", Whole, 5}});
    RecordFieldReader<ElementRecord> fields(elements);
    const int desc = fields.field(QStringLiteral("Desc"));
    ExportRow row(writer.columns());
    forEachActive(elements, fields, [&](int number) {
        row.text(fields.text(desc)).number(number);
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeDataFields(ExportWriter& writer) {
    auto& dataFields = system_.dataFields();
    use(dataFields);
    declare(writer, {{"RECORD", Whole, 4},
                     {"DESC", Text, 50},
                     {"SYSTEM", Text, 3},
                     {"WORKCENTER", Text, 3},
                     {"ASSOCIATE", Text, 3},
                     {"ALLOCATION", Text, 3}});
    RecordFieldReader<DataFieldRecord> fields(dataFields);
    const auto [desc, system, workCenter, associate, allocation] =
        fieldsNamed(fields, {"Desc", "System", "WorkCenter", "Associate", "Allocation"});
    ExportRow row(writer.columns());
    forEachActive(dataFields, fields, [&](int number) {
        row.number(number)
            .text(fields.text(desc))
            .text(yesNo(fields.flag(system)))
            .text(yesNo(fields.flag(workCenter)))
            .text(yesNo(fields.flag(associate)))
            .text(yesNo(fields.flag(allocation)));
        addRow(writer, row);
    });
}

void ValidationTableWriter::writeElementsOnActivities(ExportWriter& writer) {
    const std::vector<int>& activities = activeActivities();
    const std::vector<QString>& elementNames = codes(system_.elements());
    declare(writer, {{"CODE", Text, 10},
                     {"DESC", Text, 30},
                     {"ELEMENT", Text, 15},
                     {"FLD-UNITS", Whole, 5},
                     {"INCL_ACT", Whole, 2},
                     {"INCL_TOW", Whole, 2}});
    RecordFieldReader<ActivityRecord> fields(system_.activities());
    const auto [code, desc, inTypeOfWork] = fieldsNamed(fields, {"Code", "Desc", "UnitsinTOW"});
    const ActivitySlots slotReader(fields);
    ExportRow row(writer.columns());
    for (const int number : activities) {
        fields.select(number);
        const QString activityCode = fields.text(code);
        const QString activityDesc = fields.text(desc);
        const bool unitsToTypeOfWork = fields.flag(inTypeOfWork);
        for (const SlotEntry& entry : slotReader.read()) {
            if (entry.element == 0) {
                continue;
            }
            // The units reach the type of work's totals only when they count in the activity's
            // total and the activity passes its units on to its type of work.
            row.text(activityCode)
                .text(activityDesc)
                .text(lookUp(elementNames, entry.element))
                .number(entry.unitsField)
                .flag(entry.useUnits)
                .flag(entry.useUnits && unitsToTypeOfWork);
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
    RecordFieldReader<StandardRecord> fields(standards);
    const auto [activity, allocation, element, unitsPerHourField] =
        fieldsNamed(fields, {"Activity", "Allocation", "Element", "UnitsPerHour"});
    ExportRow row(writer.columns());
    forEachActive(standards, fields, [&](int) {
        const int elementNumber = int(fields.whole(element));
        if (elementNumber == 0) {
            return;  // the row that only marks the allocation as valid for the activity
        }
        const double unitsPerHour = standardValue(float(fields.number(unitsPerHourField)));
        row.text(lookUp(activityCodes, int(fields.whole(activity))))
            .text(lookUp(allocationCodes, int(fields.whole(allocation))))
            .text(lookUp(elementNames, elementNumber))
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
    RecordFieldReader<WorkCenterRecord> fields(workCenters);
    const int code = fields.field(QStringLiteral("Code"));
    std::vector<int> valid;
    for (int type = 1; type <= typeCount; ++type) {
        valid.push_back(fields.field(QStringLiteral("TOWValid%1").arg(type)));
    }
    ExportRow row(writer.columns());
    forEachActive(workCenters, fields, [&](int) {
        const QString centerCode = fields.text(code);
        for (int type = 1; type <= typeCount; ++type) {
            if (!typeOfWorkCodes[size_t(type)].isEmpty()) {
                row.text(centerCode)
                    .text(typeOfWorkCodes[size_t(type)])
                    .flag(fields.flag(valid[size_t(type - 1)]));
                addRow(writer, row);
            }
        }
    });
}

}  // namespace vel
