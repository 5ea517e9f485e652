#pragma once
// The file side of a record table: reads every row of one xBase table and writes changed rows
// back under record locks. A write that fails part-way puts the rows it already wrote back as
// they were, and a finished write can be undone the same way, so that a save over several files
// either lands in all of them or in none.
#include "host/ColumnLayout.h"
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/LockPolicy.h"

#include <QVariantList>
#include <map>
#include <vector>

namespace vel {

using StoredRow = QVariantList;

// What a write changed, so that it can be undone: the stored bytes of each rewritten record and
// the numbers of the appended ones.
struct StoreJournal {
    std::vector<std::pair<quint32, QByteArray>> originals;
    std::vector<quint32> appended;
};

struct StoreOptions {
    bool createWhenMissing = false;
    xbase::FileOperations* operations = nullptr;  // nullptr: the standard POSIX operations
    xbase::LockPolicy lockPolicy = xbase::LockPolicy::retry(10);
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
    // order). False leaves the file's records as they were.
    bool write(const std::map<int, StoredRow>& changes, StoreJournal& journal);
    // Appends rows after the file's last record.
    bool append(const std::vector<StoredRow>& rows, StoreJournal& journal);
    // Puts back what a write changed; appended records become blank.
    bool undo(const StoreJournal& journal);

    // A row with every value empty, and a row brought to the values the file would give back.
    StoredRow blankRow() const;
    StoredRow normalized(const StoredRow& row) const;

  private:
    bool fail(const QString& message);
    xbase::FileOperations& operations() const;

    QString path_;
    std::vector<ColumnShape> shapes_;
    QList<xbase::FieldDescriptor> columns_;
    StoreOptions options_;
    QString lastError_;
};

}  // namespace vel
