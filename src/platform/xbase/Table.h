#pragma once
// A dBase III table (.dbf) with its open NDX indexes: open shared or exclusive, move through the
// records in record or index order, read and write typed fields of the current record, append,
// delete and recall, pack and zap, seek keys, and lock records, the append point or the file.
//
// Changes to the current record are kept in its buffer and written when the table moves to
// another record, on flush() and on close(); every write keeps all open indexes current. Every
// public operation returns a Status (or a plain value that cannot fail) and never throws.
#include "platform/xbase/BinaryFile.h"
#include "platform/xbase/Journal.h"
#include "platform/xbase/NdxIndex.h"
#include "platform/xbase/Status.h"
#include "platform/xbase/TableHeader.h"

#include <QDate>
#include <QSet>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

namespace vel::xbase {

enum class AccessMode { Shared, Exclusive };

struct OpenOptions {
    AccessMode access = AccessMode::Shared;
    bool readOnly = false;  // a read-only open is always shared
    LockPolicy lockPolicy;

    static OpenOptions shared(LockPolicy policy = {}) {
        return {AccessMode::Shared, false, std::move(policy)};
    }
    static OpenOptions exclusive(LockPolicy policy = {}) {
        return {AccessMode::Exclusive, false, std::move(policy)};
    }
    static OpenOptions readOnlyShared() { return {AccessMode::Shared, true, {}}; }
};

enum class SeekResult { Found, After, Eof };

class Table {
  public:
    // Lock offsets shared with the other xBase programs on the same files.
    static constexpr qint64 recordLockBase = 1000000000;  // + record number; the base: appends
    static constexpr qint64 fileLockStart = 1000000001;
    static constexpr qint64 fileLockLength = 1000000000;
    static constexpr qint64 openLockOffset = 0x7FFFFFFF;
    // The file lock also covers the append byte, so that it keeps out appends as well as record
    // writes: a writer holds it exclusively for a save, a reader shared for a consistent read.
    static constexpr qint64 commitLockStart = recordLockBase;
    static constexpr qint64 commitLockLength = fileLockLength + 1;

    explicit Table(FileOperations& operations = FileOperations::standard());
    ~Table();
    Table(const Table&) = delete;
    Table& operator=(const Table&) = delete;

    // Creates a new empty table; refuses when the file exists. Goes through a temporary file and
    // link(), so that no other process ever sees a half-written table.
    static Status create(const QString& path, const QList<FieldDescriptor>& fields,
                         FileOperations& operations = FileOperations::standard());

    Status open(const QString& path, const OpenOptions& options = {});
    Status close();
    bool isOpen() const { return file_.isOpen(); }
    const QString& path() const { return file_.path(); }
    bool isExclusive() const { return exclusive_; }
    bool isReadOnly() const { return readOnly_; }
    void setLockPolicy(const LockPolicy& policy);
    const LockPolicy& lockPolicy() const { return policy_; }

    const TableHeader& header() const { return header_; }
    const QList<FieldDescriptor>& fields() const { return header_.fields; }
    int fieldIndex(QStringView name) const { return header_.fieldIndex(name); }

    // Shared tables read the count from the header again, so appends of others show at once; a
    // record past the header's count is an append that never finished and does not count.
    quint32 recordCount();
    quint32 recordNumber() const { return recordNumber_; }
    bool eof() const { return eof_; }
    bool bof() const { return bof_; }

    Status goTop();
    Status goBottom();
    Status go(quint32 record);
    Status skip(qint64 count = 1);

    bool isDeleted() const { return !record_.isEmpty() && record_[0] == '*'; }
    QString text(int field) const;  // without trailing blanks
    std::optional<double> number(int field) const;
    QDate date(int field) const;  // null when blank
    std::optional<bool> logical(int field) const;
    QByteArray rawField(int field) const;
    const QByteArray& recordBytes() const { return record_; }

    Status setText(int field, QStringView text);
    Status setBytes(int field, QByteArrayView windows1252);
    Status setNumber(int field, double value);
    Status setDate(int field, const QDate& date);
    Status setLogical(int field, std::optional<bool> value);
    Status setBlank(int field);
    // Replaces the whole record, deletion flag included, with bytes of the record's length.
    Status setRecordBytes(QByteArrayView bytes);
    bool isChanged() const { return changed_; }
    // Reads count stored records from number first on into `into` (count times the record
    // length), as the file holds them, without moving to them.
    Status readRecords(quint32 first, quint32 count, char* into);
    // Rewrites count existing records from number first on with whole records (deletion flag
    // included) in one write, and keeps the open indexes current. Needs the file lock or the
    // table exclusively.
    Status writeRecords(quint32 first, QByteArrayView records);
    Status flush();
    // Syncs the file to the disk.
    Status sync();
    // Forgets unwritten changes, so that close() writes nothing (the bytes are being put back
    // from a journal).
    void discardChanges();

    Status appendBlank();
    // Leaves the current record (writing its changes) and keeps its values, or blanks, in the
    // buffer as the start of a new record; assign fields, then appendCurrent().
    Status startAppend(bool blank);
    // Appends the current buffer (as assigned since the last move) as a new record.
    Status appendCurrent();
    // Many new records: after startAppend(true), assign the fields of one record and keep it,
    // which blanks the buffer for the next; appendKept() then writes every kept record with one
    // write, one header update and one pass over the indexes.
    Status keepForAppend();
    Status appendKept();
    // Blanks and recalls the first deleted record and stands on it; reused is false when none.
    Status reuseDeleted(bool* reused);
    Status deleteRecord();
    Status recall();
    Status pack();
    Status zap();

    Status createIndex(const QString& path, const QString& expression, bool unique = false);
    // Opens an index; with an expected expression, a different stored one gives
    // ExpressionMismatch and leaves the index closed.
    Status openIndex(const QString& path, const QString& expectedExpression = {});
    Status closeIndex(int number);
    int indexCount() const { return int(indexes_.size()); }
    NdxIndex& index(int number) { return *indexes_[size_t(number)]; }
    // By full path or by the file's base name ("TBPNASSI1"); -1 when not open.
    int findIndex(const QString& pathOrName) const;
    Status selectIndex(int number);  // -1: record order
    int selectedIndex() const { return selected_; }
    // Seeks raw key bytes (compared over their length) in the selected index.
    Status seek(QByteArrayView key, SeekResult* result);
    Status seek(const QString& key, SeekResult* result);
    // Seeks text padded with blanks to the selected index's key width: an exact match.
    Status seekPadded(const QString& key, SeekResult* result);
    // Rebuilds one open index, or all of them (-1); needs the table exclusively.
    Status reindex(int number = -1);

    Status lockRecord(quint32 record);
    Status unlockRecord(quint32 record);
    Status lockAppend();
    Status lockFile();
    // A read lock on the same bytes: no other user writes or appends while it is held.
    Status lockFileShared();
    Status unlockAll();
    // The table's bytes that a save of the given records (ascending; and appends) would change,
    // for a Journal; needs the file lock. Without record bytes the image names the records only,
    // and the journal reads them with readRecords() a run at a time.
    Status captureImage(const std::vector<quint32>& records, TableImage* image,
                        bool withRecordBytes = true);
    bool holdsRecordLock(quint32 record) const;
    bool holdsFileLock() const { return fileLocked_ || exclusive_; }

  private:
    Status goToEnd(bool top);
    void openFile(const QString& path, const OpenOptions& options);
    quint32 refreshCount();
    void requireOpen() const;
    void requireWritable() const;
    void requireExclusive(const QString& action) const;
    void readRecord(quint32 record, char* into);
    void requireRecords(quint32 first, quint32 count);
    void load(quint32 record);
    void loadEndOfFile();
    void writeBack();
    void appendRecords(const QByteArray& records);
    void updateIndexes(const char* before, const char* after, quint32 record);
    void moveInIndex(qint64 count);
    void positionIndexCursor();
    void gatherKeys(const KeyExpression& key, std::vector<char>& keys,
                    std::vector<quint32>& records);
    void replaceFile(quint32 keepCount, bool packDeleted);
    quint32 countInHeader();
    void writeHeaderCount();
    bool takeRecordLock(quint32 record);
    void releaseRecordLock(quint32 record);
    template <typename Write>
    Status assign(int field, const Write& write);
    void keepOriginal();
    const FieldDescriptor* fieldAt(int field) const;

    FileOperations& operations_;
    BinaryFile file_;
    TableHeader header_;
    bool exclusive_ = false;
    bool readOnly_ = false;
    LockPolicy policy_;
    quint32 count_ = 0;
    bool trimTail_ = false;
    bool dateWritten_ = false;
    bool modified_ = false;

    quint32 recordNumber_ = 0;
    bool eof_ = true;
    bool bof_ = true;
    QByteArray record_;    // the current record as the caller sees it
    QByteArray original_;  // the current record as stored
    bool changed_ = false;
    bool appending_ = false;

    QDate today_;  // the date of last update that writes record
    QByteArray appendBytes_;
    QByteArray appendBatch_;  // records kept by keepForAppend(), not yet written
    QByteArray readAhead_;    // exclusive tables: all records (up to 64 MB), or a block of them
    bool wholeTableCached_ = false;
    quint32 readAheadFirst_ = 0;
    quint32 readAheadCount_ = 0;
    quint32 lastRead_ = 0;

    std::vector<std::unique_ptr<NdxIndex>> indexes_;
    int selected_ = -1;
    bool indexCursorStale_ = true;

    QSet<quint32> lockedRecords_;
    bool appendLocked_ = false;
    bool fileLocked_ = false;
    bool fileReadLocked_ = false;
};

}  // namespace vel::xbase
