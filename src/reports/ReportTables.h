#pragma once
// The tables a report window reads while it runs: opened together at the start and closed at
// the end (only those the window opened itself; a table the host holds open stays open).
#include <QString>
#include <vector>

namespace vel {

class ComboBox;
class TableObject;
template <class Record>
class Table;

class ReportTables {
  public:
    ReportTables() = default;
    ~ReportTables();
    ReportTables(const ReportTables&) = delete;
    ReportTables& operator=(const ReportTables&) = delete;

    // Opens every table not open yet; false at the first that cannot be opened, whose name
    // failedName() then gives ("Associate").
    bool open(const std::vector<TableObject*>& tables);
    const QString& failedName() const { return failedName_; }
    void close();

  private:
    std::vector<TableObject*> opened_;
    QString failedName_;
};

// Fills a combo box with the active records of a table by name (description, or code when it
// has none), in name order, each with its record number as item data.
template <class Record>
void fillByName(ComboBox& combo, Table<Record>& table);

}  // namespace vel
