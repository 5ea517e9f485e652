#pragma once
// A thin call layer in the style of the classic CodeBase C library over the xBase tables and
// NDX indexes, so that code written against that library reads the same here. Handles are
// opaque pointers owned by their context: a closed DATA4 or INDEX4 stays valid memory (calls on
// it return e4parm) until code4initUndo() frees the context and everything in it.
//
// Return codes: r4success (0); positive r4... codes for outcomes that are not errors (r4eof,
// r4after, r4locked...); negative e4... codes for errors. An error leaves its code pending in the
// context: while error4code() is negative, calls return it without doing anything (closing still
// works); error4set(code4, 0) clears it. error4text() gives the last message, which names the file
// and the problem. Text passed as const char* is Windows-1252, as stored in the files; the
// QString helpers convert.
#include <QString>
#include <cstdint>
#include <functional>

namespace vel::xbase {

struct CODE4;
struct DATA4;
struct INDEX4;
struct TAG4;
struct FIELD4;

constexpr int16_t r4success = 0;
constexpr int16_t r4found = 1;
constexpr int16_t r4after = 2;
constexpr int16_t r4eof = 3;
constexpr int16_t r4bof = 4;
constexpr int16_t r4entry = 5;
constexpr int16_t r4locked = 50;
constexpr int16_t r4noOpen = 70;
constexpr int16_t r4noTag = 80;

constexpr int16_t e4close = -10;
constexpr int16_t e4create = -20;
constexpr int16_t e4lock = -50;
constexpr int16_t e4open = -60;
constexpr int16_t e4read = -70;
constexpr int16_t e4write = -120;
constexpr int16_t e4data = -200;
constexpr int16_t e4fieldName = -210;
constexpr int16_t e4fieldType = -220;
constexpr int16_t e4index = -310;
constexpr int16_t e4tagName = -330;
constexpr int16_t e4overflow = -440;
constexpr int16_t e4tagExpr = -510;
constexpr int16_t e4info = -910;
constexpr int16_t e4parm = -930;
constexpr int16_t e4parmNull = -935;

// Access modes for code4accessMode: others may read and write, or nobody else may open.
constexpr int16_t OPEN4DENY_NONE = 0;
constexpr int16_t OPEN4DENY_WRITE = 1;
constexpr int16_t OPEN4DENY_RW = 2;
constexpr int16_t WAIT4EVER = -1;

struct FIELD4INFO {
    const char* name;
    int16_t type;  // 'C', 'N', 'D', 'L' (or the r4str... letters, the same)
    uint16_t len;
    uint16_t dec;
    uint16_t nulls;
};

// A list ends with an entry whose name is nullptr. With NDX files each tag is one index file:
// its name is the file name (".ndx" is added when it has no extension).
struct TAG4INFO {
    const char* name;
    const char* expression;
    const char* filter;  // not supported: must be nullptr or empty
    int16_t unique;
    uint16_t descending;  // not supported: must be 0
};

// Context.
CODE4* code4initVB();
int16_t code4initUndo(CODE4* code);
int16_t code4close(CODE4* code);
int16_t code4errOff(CODE4* code, int16_t off);
int16_t code4largeOn(CODE4* code);
int16_t code4autoOpen(CODE4* code, int16_t on);
int16_t code4accessMode(CODE4* code, int16_t mode);
int16_t code4errOpen(CODE4* code, int16_t on);
// Lock attempts (WAIT4EVER blocks) and the delay between them in hundredths of a second.
int16_t code4lockAttempts(CODE4* code, int16_t attempts);
int16_t code4lockDelay(CODE4* code, int16_t hundredths);
// Replaces the wait between lock attempts (tests inject one that does not sleep).
void code4lockPause(CODE4* code, std::function<void(int)> pause);
int16_t error4set(CODE4* code, int16_t error);
int16_t error4code(CODE4* code);
// The last message when error is the last error code, else a general description of error.
const char* error4text(CODE4* code, long error);
QString error4message(CODE4* code);

// Data files.
DATA4* d4open(CODE4* code, const char* name);
DATA4* d4create(CODE4* code, const char* name, const FIELD4INFO* fields, const TAG4INFO* tags);
int16_t d4close(DATA4* data);
int16_t d4top(DATA4* data);
int16_t d4bottom(DATA4* data);
int16_t d4skip(DATA4* data, long count);
int16_t d4go(DATA4* data, long record);
int16_t d4eof(DATA4* data);
int16_t d4bof(DATA4* data);
long d4recNo(DATA4* data);
long d4recCount(DATA4* data);
int16_t d4seek(DATA4* data, const char* key);
int16_t d4seekText(DATA4* data, const QString& key);
int16_t d4appendStart(DATA4* data, int16_t useMemoEntries);
int16_t d4append(DATA4* data);
int16_t d4appendBlank(DATA4* data);
// Runs of whole records (count times d4recWidth bytes, deletion flag first), for a caller that
// holds the file (d4lockAll): read count records from first on; rewrite count existing records
// from first on in one write; append count new records with one write and one header update.
// Each keeps the open indexes current.
int16_t d4readRecords(DATA4* data, long first, long count, char* into);
int16_t d4writeRecords(DATA4* data, long first, const char* records, long count);
int16_t d4appendRecords(DATA4* data, const char* records, long count);
// The current record's bytes (d4recWidth of them, deletion flag first) and their number.
const char* d4record(DATA4* data);
long d4recWidth(DATA4* data);
int16_t d4blank(DATA4* data);
int16_t d4delete(DATA4* data);
int16_t d4recall(DATA4* data);
int16_t d4deleted(DATA4* data);
int16_t d4flush(DATA4* data);
int16_t d4pack(DATA4* data);
// Removes count records from start; only the whole table (start 1) is supported.
int16_t d4zap(DATA4* data, long start, long count);
int16_t d4reindex(DATA4* data);
int16_t d4lock(DATA4* data, long record);
int16_t d4lockAll(DATA4* data);
int16_t d4lockAppend(DATA4* data);
// A read lock on the whole file: waits (as the lock attempts say) until no other user is writing
// a record or appending, and keeps them out until d4unlock.
int16_t d4lockRead(DATA4* data);
int16_t d4unlock(DATA4* data);
int16_t d4numFields(DATA4* data);
FIELD4* d4field(DATA4* data, const char* name);
FIELD4* d4fieldJ(DATA4* data, int16_t number);  // 1-based
TAG4* d4tag(DATA4* data, const char* name);
TAG4* d4tagDefault(DATA4* data);
TAG4* d4tagNext(DATA4* data, TAG4* tag);
TAG4* d4tagSelected(DATA4* data);
void d4tagSelect(DATA4* data, TAG4* tag);

// Index files (one tag each). Relative names are taken from the data file's folder.
INDEX4* i4open(DATA4* data, const char* name);
INDEX4* i4create(DATA4* data, const char* name, const TAG4INFO* tags);
int16_t i4close(INDEX4* index);
int16_t i4reindex(INDEX4* index);
TAG4* i4tag(INDEX4* index, const char* name);
int16_t t4close(TAG4* tag);
const char* t4expr(TAG4* tag);
const char* t4alias(TAG4* tag);
int16_t t4unique(TAG4* tag);

// Fields of the current record.
const char* f4str(FIELD4* field);  // the stored bytes, blank padded
const char* f4ptr(FIELD4* field);  // the field's place in d4record's bytes
QString f4text(FIELD4* field);     // decoded, without trailing blanks
int16_t f4assign(FIELD4* field, const char* value);
int16_t f4assignText(FIELD4* field, const QString& value);
int16_t f4assignLong(FIELD4* field, long value);
int16_t f4assignDouble(FIELD4* field, double value);
int16_t f4blank(FIELD4* field);
long f4long(FIELD4* field);
double f4double(FIELD4* field);
int16_t f4true(FIELD4* field);
const char* f4name(FIELD4* field);
int16_t f4type(FIELD4* field);
int16_t f4len(FIELD4* field);
int16_t f4decimals(FIELD4* field);

}  // namespace vel::xbase
