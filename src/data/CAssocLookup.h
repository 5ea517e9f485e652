#pragma once
// CAssocLookup: the punch lookup file "Punches - Associate Validation File", the one table the
// component keeps itself, through the CodeBase-style calls. The terminals that take punches look
// an associate up in it by punch key (the associate code or one of its badges).
//
// Files: <DataFolder>TBPNASSC.--<SysNum> with the character fields CODE (20, the punch key),
// LNAME (15) and FNAME (15), and one single-tag index file per order, TBPNASSI1 (CODE) and
// TBPNASSI2 (LNAME+FNAME), beside it.
//
// Each instance has its own CodeBase context from construction to destruction. Operations that
// can fail answer the library's 16-bit code (0 = r4success, positive outcomes, negative errors);
// an error is shown with the file's title as caption and cleared, so the next call starts clean.
// The table is opened shared; ReIndexTable and PackTable need it alone.
#include "platform/xbase/codebase/CodeBase.h"

#include <QString>
#include <memory>

namespace vel {

class HeldRecords;

class CAssocLookup {
  public:
    static const QString Title;  // "Punches - Associate Validation File"
    static constexpr int CodeWidth = 20;
    static constexpr int NameWidth = 15;

    CAssocLookup();
    ~CAssocLookup();
    CAssocLookup(const CAssocLookup&) = delete;
    CAssocLookup& operator=(const CAssocLookup&) = delete;

    int16_t CloseTable();
    // Opens the file shared, creating it and its indexes when missing; an index whose key
    // expression is not the expected one is made again. Positions on the first record.
    int16_t OpenTable();
    // Rebuild the indexes / drop deleted records; both need the file alone and leave it open
    // shared again.
    int16_t ReIndexTable();
    int16_t PackTable();

    // The current record's fields, without trailing blanks.
    QString Code() const;
    QString LName() const;
    QString fName() const;

    long NumRecords() const;
    long Record() const;
    int16_t setRecord(long number);
    int16_t SeekRecord(long number);
    int16_t NextRecord();
    int16_t PrevRecord();
    bool RecordEOF() const;
    // Empties the table: every record is marked deleted, so AddRec reuses it.
    int16_t ClearRecords();
    // Seeks the text, padded with blanks to the width of CODE, in the selected order.
    int16_t SeekString(const QString& text);
    // Selects index 1 (CODE) or 2 (names); other numbers are refused with e4parm.
    int16_t SelectIndex(int number);

    QString DataFolder() const { return dataFolder_; }
    void setDataFolder(const QString& folder);
    QString SysNum() const { return sysNum_; }
    void setSysNum(const QString& number) { sysNum_ = number; }

    // Holds the whole file and its indexes for many changes (a rebuild), while other
    // workstations' look-ups wait: ClearRecords and AddRec then change the records in memory,
    // and UnlockAll writes them at once (the changed ones as one run, the new ones in a few
    // batches) and the indexes once. A look-up, a move or a count in between writes them first.
    // A file in which two records share a code is held too, but changed a record at a time.
    // CloseTable writes and lets go too.
    int16_t LockAll();
    int16_t UnlockAll();

    // Puts one associate in: the record holding the code (deleted or not), else the first
    // deleted one, else a new one; the three fields are written under the record's lock (after
    // LockAll: kept for UnlockAll).
    // Deleted records are looked for from where the last search ended (from the first record
    // after an open or ClearRecords), so adding many associates reads the file once; a record
    // that another workstation deletes meanwhile is reused after the next open.
    int16_t AddRec(const QString& code, const QString& last, const QString& first);

    // False when the installed library did not pass the start-up check.
    bool usable() const { return context_ != nullptr && fits_; }
    bool isOpen() const { return data_ != nullptr; }
    // The context, for settings such as lock attempts.
    xbase::CODE4* context() const { return context_; }

    QString dataPath() const;
    QString indexPath(int number) const;
    static QString expectedExpression(int number);

  private:
    int16_t openShared();
    int16_t openIndexes();
    bool indexesSound();
    int16_t openAlone(const QString& refusal);
    int16_t createTable();
    // Shows and clears a pending library error; answers result (or the error's code).
    int16_t reportPending(int16_t result) const;
    QString fieldText(const char* name) const;
    // The next deleted record from freeFrom_ on, or 0 when there is none.
    long takeDeletedRecord();
    // Locks record number for a change, unless LockAll holds the file.
    int16_t lockForChange(long number);
    // Writes the changed record and lets its lock go (keeps the file's).
    int16_t finishChange();
    // Reads the held file into memory; r4success also when it is changed a record at a time.
    int16_t holdRecords();
    // Writes what the held records changed, then stands where a change a record at a time
    // would have left the table.
    int16_t writeHeld() const;
    int16_t addHeld(const QString& code, const QString& last, const QString& first);
    // Assigns the three fields in the table's buffer.
    void assignEntry(const QString& code, const QString& last, const QString& first);

    xbase::CODE4* context_ = nullptr;
    xbase::DATA4* data_ = nullptr;
    xbase::INDEX4* indexes_[2] = {nullptr, nullptr};
    xbase::FIELD4* entryFields_[3] = {nullptr, nullptr, nullptr};  // CODE, LNAME, FNAME
    int selected_ = 1;
    bool allLocked_ = false;
    std::unique_ptr<HeldRecords> held_;  // after LockAll
    long heldPosition_ = 0;              // the record a change left the table on; 0: the top
    long freeFrom_ = 1;  // no record below it was deleted when this object last looked
    bool fits_ = true;
    QString dataFolder_;
    QString sysNum_;
};

}  // namespace vel
