#include "host/SystemLockFile.h"

#include <fcntl.h>
#include <unistd.h>
#include <QFile>
#include <cerrno>
#include <cstring>

namespace vel {

namespace {

struct flock rangeOf(short type, qint64 byte) {
    struct flock range {};
    range.l_type = type;
    range.l_whence = SEEK_SET;
    range.l_start = off_t(byte);
    range.l_len = 1;
    range.l_pid = 0;  // required by open-file-description locks
    return range;
}

}  // namespace

SystemLockFile::SystemLockFile(QString path) : path_(std::move(path)) {}

SystemLockFile::~SystemLockFile() {
    if (descriptor_ >= 0) {
        ::close(descriptor_);
    }
}

bool SystemLockFile::ensureOpen() {
    if (descriptor_ >= 0) {
        return true;
    }
    descriptor_ = ::open(QFile::encodeName(path_).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666);
    if (descriptor_ < 0) {
        lastError_ = QStringLiteral("Cannot open the lock file ") + path_ + QStringLiteral(": ") +
                     QString::fromLocal8Bit(std::strerror(errno));
        return false;
    }
    return true;
}

bool SystemLockFile::lock(qint64 byte, bool exclusive) {
    if (!ensureOpen()) {
        return false;
    }
    struct flock range = rangeOf(exclusive ? F_WRLCK : F_RDLCK, byte);
    if (::fcntl(descriptor_, F_OFD_SETLK, &range) != 0) {
        lastError_ = QStringLiteral("Another user holds the lock in ") + path_;
        return false;
    }
    lastError_.clear();
    return true;
}

void SystemLockFile::unlock(qint64 byte) {
    if (descriptor_ >= 0) {
        struct flock range = rangeOf(F_UNLCK, byte);
        ::fcntl(descriptor_, F_OFD_SETLK, &range);
    }
}

bool SystemLockFile::couldLockExclusively(qint64 byte) {
    if (!ensureOpen()) {
        return false;
    }
    struct flock range = rangeOf(F_WRLCK, byte);
    if (::fcntl(descriptor_, F_OFD_GETLK, &range) != 0) {
        return false;
    }
    return range.l_type == F_UNLCK;
}

}  // namespace vel
