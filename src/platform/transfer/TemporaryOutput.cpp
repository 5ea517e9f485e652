#include "platform/transfer/TemporaryOutput.h"

#include "platform/transfer/ExportStatus.h"

#include <QDateTime>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>

namespace vel {

namespace {

QString systemError(int error) {
    return QString::fromLocal8Bit(std::strerror(error));
}

}  // namespace

TemporaryOutput::~TemporaryOutput() {
    discard();
}

void TemporaryOutput::reserve(const QString& targetPath, bool create, int mode) {
    discard();
    targetPath_ = targetPath;
    const QFileInfo target(targetPath);
    const QString folder = target.absolutePath();
    if (!QFileInfo(folder).isDir()) {
        throw ExportError(ExportErrorCode::CreateFailed,
                          exportMessage(targetPath, QStringLiteral("the folder does not exist")));
    }
    // Ours, and the xBase layer's own temporary file of a table created under our name. Only
    // names with our prefix are tried: an export folder holds many other files.
    removeStale(
        folder,
        QRegularExpression(QStringLiteral("\\.") + QRegularExpression::escape(target.fileName()) +
                           QStringLiteral("(\\.[0-9a-f]{8}\\.tmp){1,2}")),
        staleAfterSeconds, u'.' + target.fileName() + u'.');
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate = QDir(folder).filePath(
            QStringLiteral(".%1.%2.tmp")
                .arg(target.fileName())
                .arg(QRandomGenerator::global()->generate(), 8, 16, QLatin1Char('0')));
        const QByteArray native = QFile::encodeName(candidate);
        const int handle = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL, mode_t(mode));
        if (handle < 0) {
            if (errno == EEXIST) {
                continue;
            }
            throw ExportError(
                ExportErrorCode::CreateFailed,
                exportMessage(targetPath, QStringLiteral("cannot create: ") + systemError(errno)));
        }
        ::close(handle);
        if (!create) {
            ::unlink(native.constData());
        }
        temporaryPath_ = candidate;
        return;
    }
    throw ExportError(ExportErrorCode::CreateFailed,
                      exportMessage(targetPath, QStringLiteral("no free temporary name")));
}

void TemporaryOutput::commit() {
    const QByteArray from = QFile::encodeName(temporaryPath_);
    const QByteArray to = QFile::encodeName(targetPath_);
    // The data reaches the disk before the name does, so that a power cut right after the
    // rename cannot leave an empty or short file under the target's name.
    const int handle = temporaryPath_.isEmpty() ? -1 : ::open(from.constData(), O_RDONLY);
    const bool synced = handle >= 0 && ::fsync(handle) == 0;
    if (handle >= 0) {
        ::close(handle);
    }
    if (!synced || std::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        discard();
        throw ExportError(
            ExportErrorCode::WriteFailed,
            exportMessage(targetPath_, QStringLiteral("cannot replace: ") + systemError(error)));
    }
    temporaryPath_.clear();
}

void TemporaryOutput::withholdFromOthers(const QString& path) {
    const QByteArray native = QFile::encodeName(path);
    struct stat status {};
    if (::stat(native.constData(), &status) == 0) {
        ::chmod(native.constData(), status.st_mode & 07770);
    }
}

int TemporaryOutput::removeStale(const QString& folder, const QRegularExpression& names,
                                 qint64 staleSeconds, const QString& prefix) {
    const QRegularExpression whole(QRegularExpression::anchoredPattern(names.pattern()));
    const QDateTime staleBefore = QDateTime::currentDateTimeUtc().addSecs(-staleSeconds);
    int removed = 0;
    QDirIterator entries(folder, QDir::Files | QDir::Hidden | QDir::NoSymLinks);
    while (entries.hasNext()) {
        entries.next();
        if (!entries.fileName().startsWith(prefix) || !whole.match(entries.fileName()).hasMatch()) {
            continue;  // looked at by name first: a folder of exports holds many files
        }
        const QFileInfo entry = entries.fileInfo();
        if (entry.lastModified().toUTC() < staleBefore &&
            ::unlink(QFile::encodeName(entry.filePath()).constData()) == 0) {
            ++removed;
        }
    }
    return removed;
}

void TemporaryOutput::discard() noexcept {
    if (!temporaryPath_.isEmpty()) {
        ::unlink(QFile::encodeName(temporaryPath_).constData());
        temporaryPath_.clear();
    }
}

}  // namespace vel
