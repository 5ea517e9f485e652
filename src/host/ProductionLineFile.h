#pragma once
// Fast access to the production-sheet lines file (TBVMPSL.--N) for the recorded work: reading
// goes straight through the record bytes (a large site holds hundreds of thousands of lines,
// too many for the record table's rows in memory), appending goes through XbaseStore so that
// a failed batch is taken back and the record locks are those of every other writer.
#include "data/records/ProductionLineRecord.h"

#include <QString>
#include <functional>
#include <vector>

namespace vel {

class ProductionLineFile {
  public:
    explicit ProductionLineFile(QString path) : path_(std::move(path)) {}

    // The records in the file now (active or not); -1 when it cannot be read.
    qint64 recordCount();
    // Calls visit(record number, line) for every active line from the record number on, in
    // record order, until it answers false. False when the file cannot be read. The number of
    // the last record read goes to through (when given).
    bool read(qint64 fromRecord,
              const std::function<bool(qint64 number, const ProductionLineRecord&)>& visit,
              qint64* through = nullptr);
    // Calls visit(line) for every active line dated from..to, by date, then by record number,
    // until it answers false. False when the file cannot be read.
    bool readDateRange(const QDate& from, const QDate& to,
                       const std::function<bool(const ProductionLineRecord&)>& visit);
    // Appends the lines after the last record; all or none. Answers the first record number
    // written (0 on failure).
    qint64 append(const std::vector<ProductionLineRecord>& lines);
    QString lastError() const { return lastError_; }

  private:
    class Reader;

    bool fail(const QString& message);

    QString path_;
    QString lastError_;
};

}  // namespace vel
