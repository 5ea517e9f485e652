#pragma once
// One open file of the xBase layer: its name, its descriptor and the operations it goes through.
// Reads and writes are positional and complete, or they throw an XbaseError naming the file.
#include "platform/xbase/FileOperations.h"
#include "platform/xbase/LockPolicy.h"
#include "platform/xbase/Status.h"

#include <QString>

namespace vel::xbase {

class BinaryFile {
  public:
    BinaryFile(FileOperations& operations, QString path);
    ~BinaryFile();
    BinaryFile(const BinaryFile&) = delete;
    BinaryFile& operator=(const BinaryFile&) = delete;

    // Opens the file; returns 0 or the errno of the failure.
    int open(int flags, int mode = 0666);
    // Takes over an already open descriptor (the replacement of a packed file), closing the old.
    void adopt(int descriptor);
    void close();
    // Gives up the descriptor without closing it.
    int release() {
        const int descriptor = descriptor_;
        descriptor_ = -1;
        return descriptor;
    }
    bool isOpen() const { return descriptor_ >= 0; }

    void readExactly(qint64 offset, char* buffer, qint64 size) const;
    qint64 readUpTo(qint64 offset, char* buffer, qint64 size) const;
    void writeExactly(qint64 offset, const char* buffer, qint64 size);
    qint64 size() const;
    void truncate(qint64 size);
    void sync();

    // Takes a lock on a byte range; false when another open file description holds it.
    bool lock(qint64 start, qint64 length, bool exclusive, const LockPolicy& policy);
    void unlock(qint64 start, qint64 length);

    const QString& path() const { return path_; }
    void setPath(const QString& path) { path_ = path; }
    QByteArray nativePath() const;
    FileOperations& operations() const { return operations_; }
    int descriptor() const { return descriptor_; }

    // Throws an XbaseError whose message is the file name and the problem.
    [[noreturn]] void fail(ErrorCode code, const QString& problem) const;
    [[noreturn]] void failWithErrno(ErrorCode code, const QString& action, int error) const;

  private:
    FileOperations& operations_;
    QString path_;
    int descriptor_ = -1;
};

// "<file>: <problem>", the form of every message of the layer.
QString fileMessage(const QString& path, const QString& problem);

}  // namespace vel::xbase
