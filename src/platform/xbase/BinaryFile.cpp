#include "platform/xbase/BinaryFile.h"

#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace vel::xbase {

QString fileMessage(const QString& path, const QString& problem) {
    return path + QStringLiteral(": ") + problem;
}

BinaryFile::BinaryFile(FileOperations& operations, QString path)
    : operations_(operations), path_(std::move(path)) {}

BinaryFile::~BinaryFile() {
    close();
}

QByteArray BinaryFile::nativePath() const {
    return QFile::encodeName(path_);
}

int BinaryFile::open(int flags, int mode) {
    close();
    descriptor_ = operations_.openFile(nativePath(), flags, mode);
    return descriptor_ < 0 ? (errno ? errno : EIO) : 0;
}

void BinaryFile::adopt(int descriptor) {
    close();
    descriptor_ = descriptor;
}

void BinaryFile::close() {
    if (descriptor_ >= 0) {
        operations_.closeFile(descriptor_);
        descriptor_ = -1;
    }
}

void BinaryFile::readExactly(qint64 offset, char* buffer, qint64 size) const {
    const qint64 done = readUpTo(offset, buffer, size);
    if (done != size) {
        fail(ErrorCode::ReadFailed, QStringLiteral("file ends at byte %1, %2 bytes were expected")
                                        .arg(offset + done)
                                        .arg(size));
    }
}

qint64 BinaryFile::readUpTo(qint64 offset, char* buffer, qint64 size) const {
    if (descriptor_ < 0) {
        fail(ErrorCode::NotOpen, QStringLiteral("file is not open"));
    }
    qint64 total = 0;
    while (total < size) {
        const ssize_t done =
            operations_.readAt(descriptor_, buffer + total, size_t(size - total), offset + total);
        if (done < 0) {
            failWithErrno(ErrorCode::ReadFailed, QStringLiteral("read"), errno);
        }
        if (done == 0) {
            break;
        }
        total += done;
    }
    return total;
}

void BinaryFile::writeExactly(qint64 offset, const char* buffer, qint64 size) {
    if (descriptor_ < 0) {
        fail(ErrorCode::NotOpen, QStringLiteral("file is not open"));
    }
    qint64 total = 0;
    while (total < size) {
        const ssize_t done =
            operations_.writeAt(descriptor_, buffer + total, size_t(size - total), offset + total);
        if (done <= 0) {
            failWithErrno(ErrorCode::WriteFailed, QStringLiteral("write"), done < 0 ? errno : EIO);
        }
        total += done;
    }
}

qint64 BinaryFile::size() const {
    const off_t size = operations_.fileSize(descriptor_);
    if (size < 0) {
        failWithErrno(ErrorCode::ReadFailed, QStringLiteral("size query"), errno);
    }
    return size;
}

void BinaryFile::truncate(qint64 size) {
    if (operations_.truncateFile(descriptor_, size) != 0) {
        failWithErrno(ErrorCode::WriteFailed, QStringLiteral("truncate"), errno);
    }
}

void BinaryFile::sync() {
    if (operations_.syncFile(descriptor_) != 0) {
        failWithErrno(ErrorCode::WriteFailed, QStringLiteral("sync"), errno);
    }
}

bool BinaryFile::lock(qint64 start, qint64 length, bool exclusive, const LockPolicy& policy) {
    const short type = exclusive ? F_WRLCK : F_RDLCK;
    if (policy.wait == LockPolicy::Wait::Block) {
        if (operations_.lockRange(descriptor_, F_OFD_SETLKW, type, start, length) == 0) {
            return true;
        }
        failWithErrno(ErrorCode::Locked, QStringLiteral("lock"), errno);
    }
    const int attempts = policy.wait == LockPolicy::Wait::Retry ? std::max(1, policy.attempts) : 1;
    for (int attempt = 1;; ++attempt) {
        if (operations_.lockRange(descriptor_, F_OFD_SETLK, type, start, length) == 0) {
            return true;
        }
        if (errno != EAGAIN && errno != EACCES) {
            failWithErrno(ErrorCode::Locked, QStringLiteral("lock"), errno);
        }
        if (attempt >= attempts) {
            return false;
        }
        policy.pauseBefore(attempt);
    }
}

void BinaryFile::unlock(qint64 start, qint64 length) {
    if (descriptor_ >= 0) {
        operations_.lockRange(descriptor_, F_OFD_SETLK, F_UNLCK, start, length);
    }
}

void BinaryFile::fail(ErrorCode code, const QString& problem) const {
    throw XbaseError(code, fileMessage(path_, problem));
}

void BinaryFile::failWithErrno(ErrorCode code, const QString& action, int error) const {
    fail(code, action + QStringLiteral(" failed: ") + QString::fromLocal8Bit(std::strerror(error)));
}

}  // namespace vel::xbase
