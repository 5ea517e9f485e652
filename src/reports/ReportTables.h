#pragma once
// The master tables a report reads: each is opened when it is not open yet and closed again when
// the report is done, so a report leaves the tables as it found them. A table that cannot be
// opened stops the report with "Cannot open the <name> table." (ReportTableError).
#include <QString>
#include <stdexcept>
#include <vector>

namespace vel {

class TableObject;

class ReportTableError : public std::runtime_error {
  public:
    explicit ReportTableError(const QString& message)
        : std::runtime_error(message.toStdString()), message_(message) {}
    const QString& message() const { return message_; }

  private:
    QString message_;
};

class ReportTables {
  public:
    ReportTables() = default;
    ~ReportTables();
    ReportTables(const ReportTables&) = delete;
    ReportTables& operator=(const ReportTables&) = delete;

    // Opens the table when needed; throws ReportTableError when it cannot be opened.
    void use(TableObject& table);

  private:
    std::vector<TableObject*> opened_;
};

// The associate's name as reports print it: "Last, First" (only the last name without a first).
struct AssociateRecord;
QString associateName(const AssociateRecord& associate);

}  // namespace vel
