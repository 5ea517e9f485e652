#pragma once
// Everything a record table does that does not depend on the record type: rows in memory as
// stored and as edited (packed record bytes, see RowCodec), the active rule, codes and look-ups,
// free slots, removal with a target for the posted data, and saving the changed rows through its
// XbaseStore.
#include "host/CodeIndex.h"
#include "host/UndoList.h"
#include "host/XbaseStore.h"

#include <QHash>
#include <functional>
#include <map>
#include <vector>

namespace vel {

struct TableRules {
    QString name;         // "Activity": captions show "Activity Table"
    QString activeField;  // a record is active while this field is not blank, zero or false
    QString codeField;    // the text that names a record
    std::function<int()> maximum;
    // Where a record is in use (" Production Sheet"), empty when it is not.
    std::function<QString(int number)> usedOn;
    // Moves the posted data of a removed record to the target (0: drops it); called by save()
    // before the table itself is written, adding to the undo list what it wrote.
    std::function<bool(int from, int to, UndoList& undo, QString& error)> moveData;
    // Called with every failure message (open or save) so that it reaches the error report.
    std::function<void(const QString& message)> reportFailure;
};

class RecordTableCore {
  public:
    RecordTableCore(XbaseStore store, TableRules rules);

    const TableRules& rules() const { return rules_; }
    XbaseStore& store() { return store_; }
    const XbaseStore& store() const { return store_; }

    bool open();
    void close();
    bool isOpen() const { return open_; }
    bool reload();

    int recordCount() const { return int(current_.size()); }
    // Taken once when the table loads (the maxima come from settings that only maintenance
    // changes), so that adding many records does not read the settings for each.
    int maximum() const {
        return loadedMaximum_ >= 0 ? loadedMaximum_ : rules_.maximum ? rules_.maximum() : 0;
    }
    bool isActive(int number) const;
    int freeRecord() const;
    QString code(int number) const;
    int find(const QString& code) const;
    QString usedOn(int number) const;

    // The edited row of a record (a blank row outside the table).
    StoredRow row(int number) const;
    // The edited row as packed bytes; nullptr outside the table or for a row holding a value
    // its column cannot store (row() gives that one).
    const PackedRow* packedRow(int number) const;
    // Replaces a row in memory; a number beyond the count adds blank rows up to it.
    void setRow(int number, StoredRow row);
    // The same with the row packed by codec(); unfit names a value that did not fit, and then
    // values is the row as given.
    void setPackedRow(int number, PackedRow packed, const QString& unfit, StoredRow values);
    const RowCodec& codec() const { return store_.codec(); }
    // Blanks the row and notes the data move for the next save.
    bool remove(int number, int target);

    // Writes every changed row (and the pending data moves); false leaves the files as they were.
    bool save();
    // The same, keeping on the undo list how to put the written rows back, for a save that
    // spans several tables. beforeWrite runs first and may write related tables.
    bool saveInto(UndoList& undo, const std::function<bool(UndoList&, QString&)>& beforeWrite = {});
    void cancel();
    bool hasEdits() const;
    // The row as the file holds it (a blank row for a record not yet saved).
    StoredRow storedRow(int number) const;
    // Whether the edited row differs from the stored one (a new row always does).
    bool rowChanged(int number) const;
    bool wasSaved() const { return wasSaved_; }
    // New records of the last save that were stored under another number than they had in
    // memory (another workstation added records meanwhile): number in memory, stored number.
    const std::map<int, int>& renumbered() const { return renumbered_; }
    QString lastError() const { return lastError_; }
    bool fail(const QString& message);

    // The column of a field of the record type; -1 when it has none of that name.
    int column(const QString& fieldName) const;

  private:
    // The look-up of active records by trimmed code, made at the first find() and then kept up
    // to date on every change of a row, so that find() does not scan the table.
    QString indexKey(int number) const;
    void unindex(int number);
    void index(int number) const;
    void ensureIndex() const;
    void rebuildIndex();
    void reportDamage();

    XbaseStore store_;
    TableRules rules_;
    int activeColumn_ = -1;
    int codeColumn_ = -1;
    bool open_ = false;
    bool wasSaved_ = false;
    bool isSetAt(const PackedRow& row, int column) const;
    void dropLoaded(size_t index);
    bool holdsLoaded(int number, const char* record) const;
    bool wasFree(int number) const;
    // A digest of a row's values (the deletion flag aside).
    size_t digest(const char* row) const {
        return qHashBits(row + 1, size_t(codec().recordLength() - 1));
    }

    // The rows as loaded (or last saved) and as edited; both share the bytes of an unchanged row.
    // A changed row's loaded copy is dropped (a null row in stored_) for what a save and a
    // cancel need of it: a digest of its bytes, for the check that no other workstation changed
    // the record since, and whether it was free. An import that changes every row then holds
    // each once; a cancel reads the dropped rows back from the file, which nobody else can
    // have changed without the save noticing.
    std::vector<PackedRow> stored_;
    std::vector<PackedRow> current_;
    struct LoadedDigest {
        size_t hash = 0;
        bool free = false;
    };
    std::vector<LoadedDigest> dropped_;  // by row, for the null rows of stored_
    // Edited rows holding a value their column cannot store, kept as given: a save refuses them
    // with the message.
    std::map<int, std::pair<StoredRow, QString>> unfit_;
    std::vector<std::pair<int, int>> pendingMoves_;
    // The active records by the hash of their trimmed code; the codes are compared from the
    // rows, so that a code costs no key of its own.
    static quint32 codeHash(QStringView key);
    mutable CodeIndex codeIndex_;
    mutable bool indexed_ = false;
    mutable int freeHint_ = 1;  // no record below it is free
    int loadedMaximum_ = -1;
    QString lastError_;
    std::map<int, int> renumbered_;
};

}  // namespace vel
