#pragma once
// The activity table: the activities' own file, and their allocation standards in the standards
// table (one row per activity, allocation and element, plus a row with element 0 that marks the
// allocation as valid). Saving writes both; if the second write fails the first is put back.
#include "data/records/ActivityRecord.h"
#include "data/records/StandardRecord.h"
#include "host/XbaseTable.h"

#include <functional>
#include <set>

namespace vel {

class ActivityTable : public XbaseTable<ActivityRecord> {
  public:
    using Standards = std::map<int, ActivityRecord::SlotStandards>;
    // Gives the allocation standards of the activities (one entry per record) when they come
    // from somewhere other than a standards table.
    using StandardsSource =
        std::function<std::vector<Standards>(const std::vector<ActivityRecord>& activities)>;

    // Without a standards table or source the allocation standards stay empty.
    ActivityTable(const QString& path, TableRules rules, XbaseTable<StandardRecord>* standards,
                  StoreOptions options = {});

    // Where the standards come from when there is no standards table (the corporate copy).
    void setStandardsSource(StandardsSource source) { standardsSource_ = std::move(source); }

    bool open() override;
    void close() override;
    bool reindex() override;
    ActivityRecord record(int number) const override;
    void setRecord(int number, const ActivityRecord& record) override;
    bool remove(int number, int target) override;
    bool save() override;
    // Saves as part of a larger save, keeping on the undo list how to put both files back.
    bool saveInto(UndoList& undo);
    void cancel() override;
    bool hasEdits() const override;

    // Writes the standards table afresh from the activities: rows of removed activities, of
    // elements no longer on an activity and of allocations no longer valid go; false (the
    // standards table reports why) leaves the standards table as it was.
    bool rebuildStandards();

    // The export names of the activity columns that have one.
    static QHash<QString, QString> columnNames();

  private:
    bool loadStandards();
    bool writeStandards(UndoList& undo, QString& error);
    bool rewriteStandardRows(const std::set<int>& activities, bool everyRow, UndoList& undo,
                             QString& error);
    Standards& standardsOf(int number);

    XbaseTable<StandardRecord>* standardsTable_;
    StandardsSource standardsSource_;
    std::vector<Standards> stored_;
    std::vector<Standards> current_;
};

}  // namespace vel
