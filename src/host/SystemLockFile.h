#pragma once
// Locks that workstations of one system share through a small file in the data folder
// ("TBACCESS.--" + system number). Each object opens the file itself, so its locks are those of
// its own open file description: two objects, in one process or in two, exclude each other.
// One byte per purpose: the master file at byte 0, the tables at small offsets.
#include <QString>

namespace vel {

class SystemLockFile {
  public:
    static constexpr qint64 masterfileByte = 0;

    explicit SystemLockFile(QString path);
    ~SystemLockFile();
    SystemLockFile(const SystemLockFile&) = delete;
    SystemLockFile& operator=(const SystemLockFile&) = delete;

    // Takes a byte, shared (read) or exclusive (write), without waiting; false when another
    // holder conflicts or the file cannot be opened (see lastError()).
    bool lock(qint64 byte, bool exclusive);
    void unlock(qint64 byte);
    // Whether an exclusive lock on the byte could be taken now by this object.
    bool couldLockExclusively(qint64 byte);
    QString lastError() const { return lastError_; }

  private:
    bool ensureOpen();

    QString path_;
    int descriptor_ = -1;
    QString lastError_;
};

}  // namespace vel
