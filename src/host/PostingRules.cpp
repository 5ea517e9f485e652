#include "host/PostingRules.h"

#include "data/VelmorSystem.h"

#include <algorithm>

namespace vel {

namespace {

// Copies every record of a table (inactive ones as blank records), opening it only when it was
// not open already so that a window's open table keeps its state.
template <class Record>
bool readAll(Table<Record>& table, std::vector<Record>& records, QString* error) {
    const bool wasOpen = table.isOpen();
    if (!wasOpen && !table.open()) {
        *error = table.lastError();
        return false;
    }
    records.assign(size_t(table.recordCount()), Record{});
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            records[size_t(number - 1)] = table.record(number);
        }
    }
    if (!wasOpen) {
        table.close();
    }
    return true;
}

template <class Record>
const Record* recordAt(const std::vector<Record>& records, int number) {
    return number >= 1 && number <= int(records.size()) ? &records[size_t(number - 1)] : nullptr;
}

// A code of blanks only: the record is empty.
bool isBlank(const QString& code) {
    return std::all_of(code.begin(), code.end(),
                       [](QChar character) { return character.isSpace(); });
}

bool isMeasured(const ActivityRecord& activity) {
    return activity.EarnedHrsCalc >= 1 && activity.EarnedHrsCalc <= 6;
}

}  // namespace

bool PostingRules::load(VelmorSystem& system, QString* error) {
    return readAll(system.activities(), activities_, error) &&
           readAll(system.typesOfWork(), typesOfWork_, error) &&
           readAll(system.dataFields(), dataFields_, error);
}

const ActivityRecord* PostingRules::activity(int number) const {
    const ActivityRecord* record = recordAt(activities_, number);
    return record != nullptr && !isBlank(record->Code) ? record : nullptr;
}

const TypeOfWorkRecord* PostingRules::typeOfWork(int number) const {
    const TypeOfWorkRecord* record = recordAt(typesOfWork_, number);
    return record != nullptr && !isBlank(record->Code) ? record : nullptr;
}

int PostingRules::accountOf(const ProductionLineRecord& line, AccountLevel level) {
    switch (level) {
        case AccountLevel::System:
            return 1;
        case AccountLevel::WorkCenter:
            return line.WorkCenter;
        case AccountLevel::Associate:
            return line.Associate;
        case AccountLevel::Allocation:
            return line.Allocation;
    }
    return 0;
}

WorkFigures PostingRules::figuresOf(const ProductionLineRecord& line) const {
    WorkFigures figures;
    figures.totalHours = line.Hours;
    figures.cost = line.Cost;
    const ActivityRecord* work = activity(line.Activity);
    if (work == nullptr) {
        return figures;  // an activity since deleted: its hours and cost still count
    }
    const bool measured = isMeasured(*work);
    figures.measuredHours = measured ? line.Hours : 0.0;
    for (int entry = 0; entry < ProductionLineRecord::ElementEntries; ++entry) {
        const size_t index = size_t(entry);
        if (line.Element[index] == 0) {
            continue;
        }
        if (measured) {
            figures.earnedHours += line.Units[index] * line.StdMinutes[index] / 60.0;
        }
        const int slot = work->slotOf(line.Element[index]);
        if (slot >= 0 && work->Elements[size_t(slot)].UseUnits) {
            figures.units += line.Units[index];
        }
    }
    const TypeOfWorkRecord* type = typeOfWork(work->TOW);
    if (type == nullptr || !type->TrackQuality) {
        return figures;
    }
    const double failed = line.CatchFailed + line.CheckFailed + line.AuditFailed;
    figures.auditableUnits = figures.units;
    figures.auditedUnits = line.AuditedUnits;
    figures.audits = line.AuditedUnits > 0.0 ? 1.0 : 0.0;
    figures.catchFailedUnits = line.CatchFailed;
    figures.checkFailedUnits = line.CheckFailed;
    figures.auditFailedUnits = line.AuditFailed;
    figures.accuracyBaseUnits =
        line.AuditedUnits > 0.0 || line.CheckFailed > 0.0 ? figures.units : 0.0;
    figures.failureHours = failed * type->FailHours;
    figures.failureCost = failed * type->FailCost;
    return figures;
}

bool PostingRules::recordsAt(int field, AccountLevel level) const {
    const DataFieldRecord* record = recordAt(dataFields_, field);
    if (record == nullptr || !record->InUse) {
        return false;
    }
    switch (level) {
        case AccountLevel::System:
            return record->System;
        case AccountLevel::WorkCenter:
            return record->WorkCenter;
        case AccountLevel::Associate:
            return record->Associate;
        case AccountLevel::Allocation:
            return record->Allocation;
    }
    return false;
}

void PostingRules::forEachPostedField(const ProductionLineRecord& line, AccountLevel level,
                                      const std::function<void(int, double)>& post) const {
    forEachPostedField(line, figuresOf(line), level, post);
}

void PostingRules::forEachPostedField(const ProductionLineRecord& line, const WorkFigures& figures,
                                      AccountLevel level,
                                      const std::function<void(int, double)>& post) const {
    const ActivityRecord* work = activity(line.Activity);
    if (work == nullptr || accountOf(line, level) == 0) {
        return;
    }
    const auto postTo = [&](int field, double value) {
        if (field > 0 && value != 0.0 && recordsAt(field, level)) {
            post(field, value);
        }
    };
    postTo(work->FldHoursto, figures.totalHours);
    postTo(work->FldEarnedto, figures.earnedHours);
    postTo(work->FldCostto, figures.cost);
    for (int entry = 0; entry < ProductionLineRecord::ElementEntries; ++entry) {
        const int slot = work->slotOf(line.Element[size_t(entry)]);
        if (slot >= 0) {
            postTo(work->Elements[size_t(slot)].UnitsField, line.Units[size_t(entry)]);
        }
    }
    const TypeOfWorkRecord* type = typeOfWork(work->TOW);
    if (type == nullptr || !type->TrackQuality) {
        return;
    }
    // Auditable units, auditable hours, accuracy base units, audited units, failure cost and
    // failure hours, in the order of the type of work's quality fields.
    const double quality[TypeOfWorkRecord::QualityFields] = {
        figures.auditableUnits, figures.totalHours,  figures.accuracyBaseUnits,
        figures.auditedUnits,   figures.failureCost, figures.failureHours};
    for (int index = 0; index < TypeOfWorkRecord::QualityFields; ++index) {
        postTo(type->QualityField[size_t(index)], quality[index]);
    }
}

double PostingRules::standardMinutes(int activityNumber, int allocation, int element) const {
    const ActivityRecord* work = activity(activityNumber);
    const int slot = work != nullptr ? work->slotOf(element) : -1;
    if (slot < 0) {
        return 0.0;
    }
    float unitsPerHour = work->Elements[size_t(slot)].Standard;
    const auto standards = work->AllocationStandards.find(allocation);
    if (allocation != 0 && !work->AllAllocSameStd && standards != work->AllocationStandards.end() &&
        standards->second[size_t(slot)] >= 0.0F) {
        unitsPerHour = standards->second[size_t(slot)];
    }
    return unitsPerHour > 0.0F ? 60.0 / double(unitsPerHour) : 0.0;
}

bool PostingRules::selects(int activityNumber, const WorkSelection& selection) const {
    if (selection.activity != 0 && activityNumber != selection.activity) {
        return false;
    }
    const ActivityRecord* work = activity(activityNumber);
    if (selection.typeOfWork != 0 && (work == nullptr || work->TOW != selection.typeOfWork)) {
        return false;
    }
    return !selection.ppaOnly || (work != nullptr && !work->ExcludeFromPPA);
}

}  // namespace vel
