#pragma once
// A master table of the system as the component sees it: records addressed by number from 1
// (0 means none), held in memory while the table is open. Edits stay in memory until save()
// writes them; cancel() drops them. A record is active when its code (for elements and mistakes,
// its description) is not blank; inactive records are free slots.
#include <QString>

namespace vel {

class TableObject {
public:
    virtual ~TableObject() = default;

    // The table's name as captions show it: "Mistake" gives "Mistake Table".
    virtual QString name() const = 0;

    // Loads the table; false when its file cannot be opened (the message is the caller's).
    virtual bool open() = 0;
    virtual void close() = 0;
    virtual bool isOpen() const = 0;
    virtual bool reindex() = 0;

    virtual int recordCount() const = 0;  // slots in use or free
    virtual int maximum() const = 0;      // the most records the table may hold
    virtual bool isActive(int number) const = 0;
    int activeCount() const {
        int active = 0;
        for (int number = 1; number <= recordCount(); ++number) {
            active += isActive(number) ? 1 : 0;
        }
        return active;
    }
    // The first free record number within the maximum (a new slot when every slot is active),
    // or 0 when the table is full.
    virtual int freeRecord() const = 0;
    // The text that names the record in lists, the change log and messages: its code, or for
    // elements and mistakes its description.
    virtual QString code(int number) const = 0;
    // Record number of the active record whose trimmed code equals the trimmed text; 0 if none.
    virtual int find(const QString& code) const = 0;

    // Where an active record is in use (" Production Sheet", ...), empty when it is not, so that
    // a delete can be refused with "It is used on a" + the answer.
    virtual QString usedOn(int number) const = 0;
    // Blanks the record; its posted data moves to the target record (0: the data is dropped).
    virtual bool remove(int number, int target) = 0;

    virtual bool save() = 0;           // writes every changed record; false leaves the file as it was
    virtual void cancel() = 0;         // drops the unsaved edits
    virtual bool hasEdits() const = 0; // edits not yet saved
    virtual bool wasSaved() const = 0; // a save wrote changes since the table was opened

    // Why the last open or save failed, naming the file; empty after a success.
    virtual QString lastError() const { return {}; }
};

// A table whose records are of one type (see RecordFields.h for the field list of each).
template <class Record>
class Table : public TableObject {
public:
    virtual Record record(int number) const = 0;
    // Replaces the record in memory (a new number beyond the count adds a slot).
    virtual void setRecord(int number, const Record& record) = 0;
};

}  // namespace vel
