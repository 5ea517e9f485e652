#include "services/FileCopy.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <cerrno>
#include <cstring>
#include <utility>

namespace vel {

namespace {

// Closes a descriptor when it goes out of scope.
class Descriptor {
  public:
    explicit Descriptor(int descriptor) : descriptor_(descriptor) {}
    ~Descriptor() {
        if (descriptor_ >= 0) {
            ::close(descriptor_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int get() const { return descriptor_; }
    bool valid() const { return descriptor_ >= 0; }
    // Closes now and reports the error of the close (0 when it went well).
    int close() {
        const int result = ::close(std::exchange(descriptor_, -1));
        return result == 0 ? 0 : errno;
    }

  private:
    int descriptor_;
};

// Copies all data of one descriptor to another; 0 or the error code.
int copyData(int from, int to) {
    char buffer[65536];
    for (;;) {
        const ssize_t got = ::read(from, buffer, sizeof buffer);
        if (got == 0) {
            return 0;
        }
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            return errno;
        }
        for (ssize_t written = 0; written < got;) {
            const ssize_t put = ::write(to, buffer + written, size_t(got - written));
            if (put < 0) {
                if (errno == EINTR) {
                    continue;
                }
                return errno;
            }
            written += put;
        }
    }
}

// Fills the open temporary file from the source and gives it the source's mode and times.
int fillTemporary(int source, const struct stat& sourceStatus, Descriptor& temporary) {
    if (const int error = copyData(source, temporary.get())) {
        return error;
    }
    const struct timespec times[2] = {sourceStatus.st_atim, sourceStatus.st_mtim};
    if (::fchmod(temporary.get(), sourceStatus.st_mode & 07777) != 0 ||
        ::futimens(temporary.get(), times) != 0 || ::fsync(temporary.get()) != 0) {
        return errno;
    }
    return temporary.close();
}

}  // namespace

int copyFileReplacing(const QString& source, const QString& destination) {
    const QByteArray sourcePath = QFile::encodeName(source);
    const QByteArray destinationPath = QFile::encodeName(destination);
    if (sourcePath.isEmpty() || destinationPath.isEmpty()) {
        return ENOENT;
    }
    Descriptor input(::open(sourcePath.constData(), O_RDONLY | O_CLOEXEC));
    if (!input.valid()) {
        return errno;
    }
    struct stat sourceStatus {};
    if (::fstat(input.get(), &sourceStatus) != 0) {
        return errno;
    }
    if (S_ISDIR(sourceStatus.st_mode)) {
        return EISDIR;
    }
    const QFileInfo target(destination);
    QByteArray temporaryPath =
        QFile::encodeName(target.path() + QStringLiteral("/.") + target.fileName()) + ".XXXXXX";
    Descriptor temporary(::mkostemp(temporaryPath.data(), O_CLOEXEC));
    if (!temporary.valid()) {
        return errno;
    }
    int error = fillTemporary(input.get(), sourceStatus, temporary);
    if (!error && ::rename(temporaryPath.constData(), destinationPath.constData()) != 0) {
        error = errno;
    }
    if (error) {
        ::unlink(temporaryPath.constData());
    }
    return error;
}

int copyFolderReplacing(const QString& source, const QString& destination) {
    const QFileInfo sourceInfo(source);
    if (!sourceInfo.exists()) {
        return ENOENT;
    }
    if (!sourceInfo.isDir()) {
        return ENOTDIR;
    }
    errno = 0;
    if (!QDir().mkpath(destination)) {
        return errno != 0 ? errno : EIO;
    }
    const QFileInfoList entries = QDir(source).entryInfoList(
        QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot, QDir::Name);
    for (const QFileInfo& entry : entries) {
        const QString target = destination + u'/' + entry.fileName();
        // A link to a folder is not followed, so that a loop of links cannot recurse forever.
        const bool folder = entry.isDir() && !entry.isSymLink();
        const int error = folder ? copyFolderReplacing(entry.filePath(), target)
                                 : copyFileReplacing(entry.filePath(), target);
        if (error) {
            return error;
        }
    }
    return 0;
}

QString systemErrorText(int code) {
    return QStringLiteral("%1 (%2)").arg(code).arg(QString::fromLocal8Bit(std::strerror(code)));
}

}  // namespace vel
