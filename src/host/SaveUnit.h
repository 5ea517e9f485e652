#pragma once
// One save across one or more xBase tables: all of it lands, or none of it, also across a
// crash. The first SaveUnit made on a thread owns the unit; units made while it lives join it,
// so a table's save() nested in a larger save (the lines a removal moves, the change log of an
// import) becomes part of the larger one.
//
// A table joins the unit when it is first written: it is opened shared and its file lock
// (which covers appends) is taken and held until the unit ends, so nobody else reads or writes
// it in between. Before its records are written, their old bytes go into the unit's journal
// (see xbase::Journal); commit() syncs the tables and removes the journal. An owner that ends
// without commit() puts every table back from the journal; a process killed in between leaves
// the journal for the next process that reads or writes one of the tables.
#include "platform/xbase/Journal.h"
#include "platform/xbase/LockPolicy.h"
#include "platform/xbase/Table.h"

#include <QString>
#include <map>
#include <memory>

namespace vel {

// Opens a table and takes its file lock (a writer's, or a reader's), having held a reader's
// lock from before the header is read: a save, or the putting back of one, under way elsewhere
// never makes the table look damaged.
xbase::Status openLocked(xbase::Table& table, const QString& path,
                         const xbase::OpenOptions& options, bool forWriting,
                         xbase::FileOperations& operations);

class SaveUnit {
  public:
    explicit SaveUnit(xbase::FileOperations& operations = xbase::FileOperations::standard());
    ~SaveUnit();
    SaveUnit(const SaveUnit&) = delete;
    SaveUnit& operator=(const SaveUnit&) = delete;

    bool owns() const { return owner_; }
    // The owner syncs every joined table and removes the journal; a unit that joined another
    // answers true and leaves that to the owner. False (with the reason) when a part failed:
    // everything is put back then.
    bool commit(QString* error = nullptr);
    // Marks the unit failed: the owner's commit() puts everything back.
    void fail(const QString& reason);

    // The table at path, opened shared with its file lock held until the unit ends. Before the
    // first join of a table, journals left by a crashed process in its folder are put back.
    xbase::Status join(const QString& path, const xbase::LockPolicy& policy, xbase::Table** table);
    // The table if the unit has joined it (reads inside the unit go through it), else nullptr.
    xbase::Table* joined(const QString& path);
    // Journals the old state of the given records (ascending; and of the table's end, for
    // appends), read from the table a run at a time.
    xbase::Status protect(xbase::Table& table, const std::vector<quint32>& records);

    // The unit open on this thread, or nullptr.
    static SaveUnit* current();

  private:
    struct State;
    void end();

    bool owner_ = false;
    bool committed_ = false;
    State* state_ = nullptr;
};

}  // namespace vel
