#pragma once
// The file side of a record table: reads every row of one xBase table and writes changed rows
// back under record locks. A write that fails part-way puts the rows it already wrote back as
// they were, and a finished write can be undone the same way, so that a save over several files
// either lands in all of them or in none.
#include "host/ColumnLayout.h"
#include "host/RowCodec.h"
#include "host/RowStore.h"
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
// row of a record that was free when read moves to a new record, any other changed row fails
// the write. The reader need not keep the rows themselves (see RecordTableCore).
struct LoadedRows {
    int count = -1;  // how many rows were read; -1: nothing is known of them
    // Whether a stored record, in the codec's layout with the deletion flag first, holds the
    // row as it was read (the flag aside).
    std::function<bool(int number, const char* record)> holds;
    std::function<bool(int number)> wasFree;
    int maximum = 0;  // the highest record number a new row may get (0: no limit)

    // The check against rows kept in full (none counted as free).
    static LoadedRows of(const RowStore& rows);
};

// A changed row to write: its record number and its bytes in the store's codec() layout.
struct RowToWrite {
    int number = 0;
    const char* row = nullptr;
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
    // How rows are packed: the table's columns with the widths the file gives them (known from
    // the last load; the columns as made for a new file before).
    const RowCodec& codec() const { return codec_; }
    QString lastError() const { return lastError_; }

    // Reads every row (deleted records read as blank rows); creates the file when it is missing
    // and that is allowed. False with lastError() naming the file otherwise.
    bool load(std::vector<StoredRow>& rows);
    bool loadPacked(RowStore& rows);
    // Writes the given rows, packed by codec() (by record number; numbers beyond the file's
    // count are appended in order), as one SaveUnit, or as part of the one open. With the rows
    // as loaded, new rows are numbered under the table's lock (see LoadedRows). False leaves the
    // file as it was.
    bool write(const std::map<int, PackedRow>& changes, StoreJournal& journal,
               const LoadedRows& loaded = {});
    // The same with the rows in ascending record numbers, held by the caller.
    bool write(const std::vector<RowToWrite>& changes, StoreJournal& journal,
               const LoadedRows& loaded = {});
    // Appends rows after the file's last record; a value that does not fit its column refuses
    // them all.
    bool append(const std::vector<StoredRow>& rows, StoreJournal& journal);
    // Puts back what a write changed; appended records become blank.
    bool undo(const StoreJournal& journal);

    // A row with every value empty, and a row brought to the values the file would give back.
    StoredRow blankRow() const { return codec_.blankRow(); }
    StoredRow normalized(const StoredRow& row) const { return codec_.unpack(codec_.pack(row)); }
    // The message that refuses a row with a value its column cannot hold.
    QString unfitMessage(int number, const QString& problem) const;
    // Values of the last load() that could not be read (read as empty): "record 12 field WAGE:
    // "1x.00" is not a number".
    const QStringList& damagedValues() const { return damaged_; }
    xbase::FileOperations& operations() const;

  private:
    bool fail(const QString& message);
    bool readRows(xbase::Table& table, RowStore& rows);
    // The layout the open file gives the table's columns; false when one is missing.
    bool fileCodec(const xbase::Table& table, RowCodec& codec, std::vector<int>& positions) const;
    bool writeRows(const std::vector<RowToWrite>* packed, const std::map<int, StoredRow>* values,
                   StoreJournal& journal, const LoadedRows& loaded);

    QString path_;
    std::vector<ColumnShape> shapes_;
    QList<xbase::FieldDescriptor> columns_;
    StoreOptions options_;
    QString lastError_;
    QStringList damaged_;
    RowCodec codec_;
};

}  // namespace vel
