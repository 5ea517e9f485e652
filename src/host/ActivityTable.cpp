#include "host/ActivityTable.h"

#include "data/RecordFieldReader.h"
#include "host/SaveUnit.h"

#include <algorithm>

#include <memory>
#include <optional>
#include <set>

namespace vel {

ActivityTable::ActivityTable(const QString& path, TableRules rules,
                             XbaseTable<StandardRecord>* standards, StoreOptions options)
    : XbaseTable<ActivityRecord>(path, std::move(rules), std::move(options), columnNames()),
      standardsTable_(standards) {}

QHash<QString, QString> ActivityTable::columnNames() {
    return {{QStringLiteral("TOW"), QStringLiteral("TOW")},
            {QStringLiteral("EarnedHrsCalc"), QStringLiteral("EHRS_TYPE")},
            {QStringLiteral("Allocate"), QStringLiteral("ALLOCATED")},
            {QStringLiteral("AllAllocSameStd"), QStringLiteral("SAMESTD")},
            {QStringLiteral("Document"), QStringLiteral("DOCNAME")},
            {QStringLiteral("FldHoursto"), QStringLiteral("FLD_AHRS")},
            {QStringLiteral("FldEarnedto"), QStringLiteral("FLD_EHRS")},
            {QStringLiteral("FldCostto"), QStringLiteral("FLD_COST")},
            {QStringLiteral("UnitsinAlloc"), QStringLiteral("IN_TOT")},
            {QStringLiteral("UnitsinTOW"), QStringLiteral("IN_TOW")},
            {QStringLiteral("UnitsinQual"), QStringLiteral("IN_QUAL")},
            {QStringLiteral("ExcludeFromIncentive"), QStringLiteral("EXCL_INC")},
            {QStringLiteral("ExcludeFromPPA"), QStringLiteral("EXCL_PPA")},
            {QStringLiteral("UseXYZ"), QStringLiteral("XYZ")}};
}

bool ActivityTable::open() {
    if (!XbaseTable::open()) {
        return false;
    }
    if (!loadStandards()) {
        XbaseTable::close();
        return false;
    }
    return true;
}

bool ActivityTable::reindex() {
    return XbaseTable::reindex() && loadStandards();
}

void ActivityTable::close() {
    XbaseTable::close();
    stored_.clear();
    current_.clear();
}

bool ActivityTable::loadStandards() {
    stored_.assign(size_t(recordCount()), {});
    if (standardsTable_ == nullptr && standardsSource_) {
        std::vector<ActivityRecord> activities;
        for (int number = 1; number <= recordCount(); ++number) {
            activities.push_back(XbaseTable::record(number));
        }
        stored_ = standardsSource_(activities);
        stored_.resize(size_t(recordCount()));
    }
    if (standardsTable_ != nullptr) {
        if (!standardsTable_->isOpen() && !standardsTable_->open()) {
            return core().fail(standardsTable_->lastError());
        }
        // Only the fields needed are read: four of each standard, and the element slots of the
        // activities that have standards, each activity once.
        RecordFieldReader<StandardRecord> rows(*standardsTable_);
        const int activityField = rows.field(QStringLiteral("Activity"));
        const int allocationField = rows.field(QStringLiteral("Allocation"));
        const int elementField = rows.field(QStringLiteral("Element"));
        const int unitsField = rows.field(QStringLiteral("UnitsPerHour"));
        RecordFieldReader<ActivityRecord> slots(*this);
        std::vector<int> slotFields;
        for (int slot = 1; slot <= ActivityRecord::ElementSlots; ++slot) {
            slotFields.push_back(slots.field(QStringLiteral("Element%1").arg(slot)));
        }
        using SlotElements = std::array<int, ActivityRecord::ElementSlots>;
        std::vector<std::optional<SlotElements>> elements(static_cast<size_t>(recordCount()));
        const auto slotOf = [&](int number, int element) {
            if (element == 0) {
                return -1;  // the row that only marks the allocation as valid
            }
            std::optional<SlotElements>& known = elements[size_t(number - 1)];
            if (!known) {
                slots.select(number);
                known.emplace();
                for (size_t slot = 0; slot < slotFields.size(); ++slot) {
                    (*known)[slot] = int(slots.whole(slotFields[slot]));
                }
            }
            const auto found = std::ranges::find(*known, element);
            return found == known->end() ? -1 : int(found - known->begin());
        };
        for (int row = 1; row <= standardsTable_->recordCount(); ++row) {
            rows.select(row);
            const int activity = int(rows.whole(activityField));
            if (activity < 1 || activity > recordCount()) {
                continue;
            }
            const int allocation = int(rows.whole(allocationField));
            Standards& standards = stored_[size_t(activity - 1)];
            auto line = standards.find(allocation);
            if (line == standards.end()) {
                ActivityRecord::SlotStandards unset;
                unset.fill(-1.0F);
                line = standards.emplace(allocation, unset).first;
            }
            const int slot = slotOf(activity, int(rows.whole(elementField)));
            if (slot >= 0) {
                line->second[size_t(slot)] = float(rows.number(unitsField));
            }
        }
    }
    current_ = stored_;
    return true;
}

ActivityTable::Standards& ActivityTable::standardsOf(int number) {
    if (current_.size() < size_t(number)) {
        current_.resize(size_t(number));
    }
    return current_[size_t(number - 1)];
}

ActivityRecord ActivityTable::record(int number) const {
    ActivityRecord record = XbaseTable::record(number);
    if (number >= 1 && size_t(number) <= current_.size()) {
        record.AllocationStandards = current_[size_t(number - 1)];
    }
    return record;
}

void ActivityTable::setRecord(int number, const ActivityRecord& record) {
    if (number < 1) {
        return;
    }
    XbaseTable::setRecord(number, record);
    standardsOf(number) = record.AllocationStandards;
}

bool ActivityTable::remove(int number, int target) {
    if (!XbaseTable::remove(number, target)) {
        return false;
    }
    standardsOf(number).clear();
    return true;
}

void ActivityTable::cancel() {
    XbaseTable::cancel();
    current_ = stored_;
}

bool ActivityTable::hasEdits() const {
    return XbaseTable::hasEdits() || current_ != stored_;
}

bool ActivityTable::save() {
    SaveUnit unit(core().store().operations());
    UndoList undo;
    if (!saveInto(undo)) {
        return false;  // the unit puts the files back
    }
    QString error;
    if (!unit.commit(&error)) {
        undo.runAll();
        return core().fail(error);
    }
    return true;
}

bool ActivityTable::saveInto(UndoList& undo) {
    return core().saveInto(
        undo, [this](UndoList& steps, QString& error) { return writeStandards(steps, error); });
}

// Rewrites the standards rows of every activity whose record or standards changed.
bool ActivityTable::writeStandards(UndoList& undo, QString& error) {
    if (standardsTable_ == nullptr) {
        stored_ = current_;
        return true;
    }
    std::set<int> changed;
    for (int number = 1; number <= recordCount(); ++number) {
        const size_t index = size_t(number - 1);
        const Standards empty;
        const Standards& now = index < current_.size() ? current_[index] : empty;
        const Standards& before = index < stored_.size() ? stored_[index] : empty;
        if (core().rowChanged(number) || now != before) {
            changed.insert(number);
        }
    }
    if (changed.empty()) {
        return true;
    }
    return rewriteStandardRows(changed, false, undo, error);
}

bool ActivityTable::rebuildStandards() {
    if (standardsTable_ == nullptr) {
        return true;
    }
    std::set<int> all;
    for (int number = 1; number <= recordCount(); ++number) {
        all.insert(number);
    }
    SaveUnit unit(core().store().operations());
    UndoList undo;
    QString error;  // the standards table has reported it already
    const bool rebuilt = rewriteStandardRows(all, true, undo, error) && unit.commit(&error);
    if (!rebuilt) {
        undo.runAll();
    }
    return rebuilt;
}

// Empties the rows of the activities (every row with everyRow), then writes each activity's
// rows from its allocation standards, reusing free rows first.
bool ActivityTable::rewriteStandardRows(const std::set<int>& activities, bool everyRow,
                                        UndoList& undo, QString& error) {
    XbaseTable<StandardRecord>& table = *standardsTable_;
    for (int row = 1; row <= table.recordCount(); ++row) {
        if (table.isActive(row) && (everyRow || activities.count(table.record(row).Activity) > 0)) {
            table.setRecord(row, StandardRecord{});
        }
    }
    // Fills the free rows from the first on, then appends; the cursor keeps this linear.
    int cursor = 1;
    const auto place = [&table, &cursor](const StandardRecord& standard) {
        while (cursor <= table.recordCount() && table.isActive(cursor)) {
            ++cursor;
        }
        table.setRecord(cursor++, standard);
    };
    for (int number : activities) {
        const ActivityRecord activity = record(number);
        if (activity.Code.trimmed().isEmpty()) {
            continue;
        }
        for (const auto& [allocation, values] : activity.AllocationStandards) {
            place({number, allocation, 0, 0.0F, 0.0F});
            for (size_t slot = 0; slot < values.size(); ++slot) {
                const int element = activity.Elements[slot].Element;
                if (element != 0) {
                    place({number, allocation, element, values[slot],
                           StandardRecord::minutesFor(values[slot])});
                }
            }
        }
    }
    undo.add([&table] { table.cancel(); });  // runs last: drops the rows a failed save built
    if (!table.core().saveInto(undo)) {
        table.cancel();
        error = table.lastError();
        return false;
    }
    const std::vector<Standards> previous = stored_;
    stored_ = current_;
    stored_.resize(size_t(recordCount()));
    current_ = stored_;
    undo.add([this, previous] { stored_ = previous; });
    return true;
}

}  // namespace vel
