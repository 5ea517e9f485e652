#pragma once
// The records an import writes into a table, each remembered as it was before its first change,
// so that an import into the table an editor holds can put them back when it ends early and
// leave the editor's own unsaved edits as they were. (A slot the import added is put back blank:
// a free slot.)
#include "data/TableObject.h"

#include <map>

namespace vel {

template <class Record>
class RecordChanges {
  public:
    explicit RecordChanges(Table<Record>& table)
        : table_(table), countBefore_(table.recordCount()) {}

    void setRecord(int number, const Record& record) {
        if (!before_.contains(number)) {
            before_.emplace(number, number <= countBefore_ ? table_.record(number) : Record{});
        }
        table_.setRecord(number, record);
    }

    void putBack() {
        for (const auto& [number, record] : before_) {
            table_.setRecord(number, record);
        }
        before_.clear();
    }

  private:
    Table<Record>& table_;
    int countBefore_;
    std::map<int, Record> before_;
};

}  // namespace vel
