#pragma once
// The records an import writes into a table. Into the table an editor holds, each is remembered
// as it was before its first change, so that an import that ends early can put them back and
// leave the editor's own unsaved edits as they were (a slot the import added is put back blank:
// a free slot). Into a table nobody else edits, nothing is remembered: the table's own cancel
// puts it back.
#include "data/TableObject.h"

#include <map>
#include <set>

namespace vel {

template <class Record>
class RecordChanges {
  public:
    RecordChanges(Table<Record>& table, bool remember)
        : table_(table), remember_(remember), countBefore_(table.recordCount()) {}

    void setRecord(int number, const Record& record) {
        if (remember_ && number > countBefore_) {
            added_.insert(number);
        } else if (remember_ && !before_.contains(number)) {
            before_.emplace(number, table_.record(number));
        }
        table_.setRecord(number, record);
    }

    void putBack() {
        for (const auto& [number, record] : before_) {
            table_.setRecord(number, record);
        }
        for (const int number : added_) {
            table_.setRecord(number, Record{});
        }
        before_.clear();
        added_.clear();
    }

  private:
    Table<Record>& table_;
    bool remember_;
    int countBefore_;
    std::map<int, Record> before_;
    std::set<int> added_;
};

}  // namespace vel
