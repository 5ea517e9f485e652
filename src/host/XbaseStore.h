#pragma once
// The file side of a record table: reads every row of one xBase table and writes changed rows
// back under record locks. A write that fails part-way puts the rows it already wrote back as
// they were, and a finished write can be undone the same way, so that a save over several files
// either lands in all of them or in none.
#include "host/ColumnLayout.h"
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/LockPolicy.h"

#include <QStringList>
#include <QVariantList>
#include <functional>
#include <map>
#include <vector>

namespace vel::xbase {
class Table;
}

namespace vel {

using StoredRow = QVariantList;

// What a write changed, so that it can be undone: the stored bytes of each rewritten record and
// the numbers of the appended ones.
struct StoreJournal {
    std::vector<std::pair<quint32, QByteArray>> originals;
    std::vector<quint32> appended;
    // The write was part of a larger SaveUnit, which puts the file back itself.
    bool inUnit = false;
    // New rows that went to another record number than the one asked for (a record another
    // workstation took meanwhile, or appends after theirs): asked number, stored number.
    std::map<int, int> renumbered;
};

// The rows as they were read, so that a write can tell what others changed since: a changed
// row of a free record (isFree) moves to a new record, any other changed row fails the write.
struct LoadedRows {
    const std::vector<StoredRow>* rows = nullptr;
    std::function<bool(const StoredRow&)> isFree;
    int maximum = 0;  // the highest record number a new row may get (0: no limit)
};

struct StoreOptions {
    bool createWhenMissing = false;
    xbase::FileOperations* operations = nullptr;  // nullptr: the standard POSIX operations
    // Saves hold a table for their whole write, so others wait up to half a minute for it.
    xbase::LockPolicy lockPolicy = xbase::LockPolicy::retry(300);
};

class XbaseStore {
  public:
    XbaseStore(QString path, std::vector<ColumnShape> shapes, const QHash<QString, QString>& names,
               StoreOptions options);

    const QString& path() const { return path_; }
    const std::vector<ColumnShape>& shapes() const { return shapes_; }
    const QList<xbase::FieldDescriptor>& columns() const { return columns_; }
    QString lastError() const { return lastError_; }

    // Reads every row (deleted records read as blank rows); creates the file when it is missing
    // and that is allowed. False with lastError() naming the file otherwise.
    bool load(std::vector<StoredRow>& rows);
    // Writes the given rows (by record number; numbers beyond the file's count are appended in
    // order) as one SaveUnit, or as part of the one open. With the rows as loaded, new rows are
    // numbered under the table's lock (see LoadedRows). False leaves the file as it was.
    bool write(const std::map<int, StoredRow>& changes, StoreJournal& journal,
               const LoadedRows& loaded = {});
    // Appends rows after the file's last record.
    bool append(const std::vector<StoredRow>& rows, StoreJournal& journal);
    // Puts back what a write changed; appended records become blank.
    bool undo(const StoreJournal& journal);

    // A row with every value empty, and a row brought to the values the file would give back.
    StoredRow blankRow() const;
    StoredRow normalized(StoredRow row) const;
    // Values of the last load() that could not be read (read as empty): "record 12 field WAGE:
    // "1x.00" is not a number".
    const QStringList& damagedValues() const { return damaged_; }
    xbase::FileOperations& operations() const;

  private:
    bool fail(const QString& message);
    StoredRow makeBlankRow() const;
    bool readRows(xbase::Table& table, std::vector<StoredRow>& rows);
    StoredRow readRow(const xbase::Table& table, const std::vector<int>& positions,
                      QStringList* damage) const;

    QString path_;
    std::vector<ColumnShape> shapes_;
    QList<xbase::FieldDescriptor> columns_;
    StoreOptions options_;
    QString lastError_;
    QStringList damaged_;
    StoredRow blank_;  // shared by every blank row until one is changed
};

}  // namespace vel
