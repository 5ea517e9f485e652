#pragma once
// The records of a table that one writer holds whole (d4lockAll), changed in memory and written
// at once: the changed records as one run, the new ones as one batch with one header update. A
// rebuild that clears the table and puts every entry back then costs one read and a write or two,
// instead of a write (or two) and a key seek per entry.
//
// Entries are placed by a key field with the rule of adding them one at a time: the record
// holding the key (deleted or not), else the first deleted record from where the last search
// ended, else a new record. The record of a key is found in a hash of every record's key, so a
// table in which two records share a key is not held (load answers nothing) and is changed a
// record at a time instead. Nothing reaches the file before write(): a writer killed while it
// holds the table leaves the file as it was.
#include "platform/xbase/codebase/CodeBase.h"

#include <QByteArray>
#include <memory>
#include <vector>

namespace vel {

class HeldRecords {
  public:
    // A field's bytes in a record (the deletion flag is byte 0).
    struct Span {
        int offset = 0;
        int length = 0;
    };

    // Reads every record of data. Nothing when two records share a key, or when the read fails
    // (result then holds the error; otherwise r4success).
    static std::unique_ptr<HeldRecords> load(xbase::DATA4* data, Span key,
                                             std::vector<Span> entryFields, int16_t* result);

    // Marks every record deleted; they keep their keys.
    void deleteAll();
    // Puts entry (a whole record, key and fields in their places) in, as described above, and
    // answers the record's number. Onto an existing record only the entry's fields are copied,
    // and its deletion flag is cleared. freeFrom: where the search for a deleted record starts;
    // it is moved past the record taken.
    long place(const char* entry, long* freeFrom);
    // Writes the changed records and the new ones; the held records then match the file.
    int16_t write();

    bool pending() const { return changedFrom_ <= changedTo_ || count() > stored_; }
    long count() const { return long(records_.size() / width_); }

  private:
    HeldRecords(xbase::DATA4* data, int width, Span key, std::vector<Span> entryFields);
    char* recordAt(long number) { return records_.data() + qsizetype(number - 1) * width_; }
    const char* keyOf(long number) const {
        return records_.constData() + qsizetype(number - 1) * width_ + key_.offset;
    }
    void markChanged(long number);
    // The record whose key is the key_.length bytes at key; 0 when none.
    long recordOfKey(const char* key) const;
    // Adds record number under its key (which no record has yet) / takes it away.
    void addKey(long number);
    void removeKey(long number);
    void fillSlot(quint32 number);
    size_t slotOf(const char* key) const;

    xbase::DATA4* data_;
    int width_;
    Span key_;
    std::vector<Span> entryFields_;
    QByteArray records_;  // those in the file first, then the new ones
    long stored_ = 0;     // how many of records_ the file holds
    long changedFrom_ = 1;
    long changedTo_ = 0;  // the run of stored records changed; empty when it ends before it starts
    // Record numbers by their keys' hash, probed linearly; a small table instead of a copy of
    // every key. A slot holds 0 when it was never used, removedSlot when its record left.
    std::vector<quint32> slots_;
    size_t usedSlots_ = 0;  // removed ones included
    size_t liveSlots_ = 0;
    static constexpr quint32 removedSlot = 0xFFFFFFFFu;
};

}  // namespace vel
