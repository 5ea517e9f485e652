#pragma once
// What the opaque CodeBase-style handles hold, and the helpers the call layer shares.
#include "platform/xbase/Table.h"
#include "platform/xbase/codebase/CodeBase.h"

#include <memory>
#include <string>
#include <vector>

namespace vel::xbase {

struct TAG4 {
    INDEX4* index = nullptr;
    std::string alias;       // the index file's base name
    std::string expression;  // as stored in the file
};

struct INDEX4 {
    DATA4* data = nullptr;
    QString path;
    bool open = false;
    TAG4 tag;
};

struct FIELD4 {
    DATA4* data = nullptr;
    int number = 0;
    std::string name;
    std::string bytes;  // f4str's copy of the stored bytes
};

struct DATA4 {
    CODE4* code = nullptr;
    std::unique_ptr<Table> table;
    std::vector<std::unique_ptr<FIELD4>> fields;
    std::vector<std::unique_ptr<INDEX4>> indexes;  // every index ever opened on this handle
    bool open = false;
};

struct CODE4 {
    int16_t errorCode = 0;
    std::string errorText;
    bool errorsOff = false;
    bool largeFiles = false;
    bool autoOpen = true;
    bool errorOnMissingFile = true;
    int16_t accessMode = OPEN4DENY_NONE;
    int16_t lockAttempts = WAIT4EVER;
    int16_t lockDelay = 100;
    std::function<void(int)> lockPause;
    std::vector<std::unique_ptr<DATA4>> data;  // every data file ever opened in this context
};

namespace codebase {

// Records an outcome: negative codes become the pending error; all keep their message.
int16_t record(CODE4* code, int16_t result, const QString& message);
// The classic code for a Status of the table layer (r4success when it is ok).
int16_t resultFor(const Status& status);
// Records a Status and returns its classic code.
int16_t report(CODE4* code, const Status& status);
// The lock policy of the context's lock settings.
LockPolicy lockPolicy(const CODE4* code);
// True when data can be used; otherwise records why (returns false).
bool usable(DATA4* data, int16_t* result);
// A file name from a caller, with the extension added when it has none.
QString fileName(const char* name, const char* extension, const QString& folder);

}  // namespace codebase
}  // namespace vel::xbase
