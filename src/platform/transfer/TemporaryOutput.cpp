#include "platform/transfer/TemporaryOutput.h"

#include "platform/transfer/ExportStatus.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

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
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QString candidate =
            QDir(folder).filePath(QStringLiteral(".%1.%2.tmp")
                                      .arg(target.fileName())
                                      .arg(QRandomGenerator::global()->generate(), 8, 16,
                                           QLatin1Char('0')));
        const QByteArray native = QFile::encodeName(candidate);
        const int handle = ::open(native.constData(), O_WRONLY | O_CREAT | O_EXCL, mode_t(mode));
        if (handle < 0) {
            if (errno == EEXIST) {
                continue;
            }
            throw ExportError(ExportErrorCode::CreateFailed,
                              exportMessage(targetPath, QStringLiteral("cannot create: ") +
                                                            systemError(errno)));
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
    if (temporaryPath_.isEmpty() || std::rename(from.constData(), to.constData()) != 0) {
        const int error = errno;
        discard();
        throw ExportError(ExportErrorCode::WriteFailed,
                          exportMessage(targetPath_, QStringLiteral("cannot replace: ") +
                                                         systemError(error)));
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

void TemporaryOutput::discard() noexcept {
    if (!temporaryPath_.isEmpty()) {
        ::unlink(QFile::encodeName(temporaryPath_).constData());
        temporaryPath_.clear();
    }
}

}  // namespace vel
