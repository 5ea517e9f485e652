#include "platform/transfer/ZipArchive.h"

#include "platform/transfer/ExportStatus.h"
#include "platform/transfer/TemporaryOutput.h"
#include "platform/transfer/ZipExtraction.h"
#include "platform/transfer/ZipLibrary.h"

#include <QDir>
#include <QFileInfo>
#include <algorithm>

#include <cstdio>

#include <memory>

namespace vel {

namespace {

// The library once an entry point has loaded it.
const ZipLibrary& zip() {
    return ZipLibrary::loaded();
}

struct ArchiveCloser {
    void operator()(zip_t* archive) const { zip().discard(archive); }
};
using ArchivePointer = std::unique_ptr<zip_t, ArchiveCloser>;

ZipResult failure(const QString& error) {
    return {false, error, {}};
}

// libzip writes no file for an archive without entries; this is the end record such an archive
// consists of.
bool writeEmptyArchive(const QString& path) {
    QFile file(path);
    const QByteArray endRecord = QByteArray("PK\x05\x06", 4) + QByteArray(18, '\0');
    return file.open(QIODevice::WriteOnly) && file.write(endRecord) == endRecord.size() &&
           file.flush();
}

void reportProgress(zip_t*, double done, void* state) {
    (*static_cast<const ZipArchive::Progress*>(state))(int(done * 100.0 + 0.5));
}

// Writes the entries into a new archive at path; the messages name the archive's final name.
ZipResult writeArchive(const QList<ZipEntry>& entries, const QString& path,
                       const QString& archivePath, const ZipArchive::Progress& progress,
                       int level) {
    QString problem;
    if (!ZipLibrary::get(&problem)) {
        return failure(QStringLiteral("Cannot create %1: %2").arg(archivePath, problem));
    }
    int errorCode = 0;
    zip_t* archive =
        zip().open(QFile::encodeName(path).constData(), ZIP_CREATE | ZIP_TRUNCATE, &errorCode);
    if (!archive) {
        return failure(
            QStringLiteral("Cannot create %1: %2").arg(archivePath, zipErrorText(errorCode)));
    }
    for (const ZipEntry& entry : entries) {
        if (!QFileInfo(entry.file).isFile()) {
            zip().discard(archive);
            return failure(QStringLiteral("Cannot add %1 to %2: the file does not exist")
                               .arg(entry.file, archivePath));
        }
        zip_source_t* source =
            zip().sourceFile(archive, QFile::encodeName(entry.file).constData(), 0, -1);
        const QByteArray name = entry.name.toUtf8();
        const zip_int64_t added = source ? zip().fileAdd(archive, name.constData(), source,
                                                         ZIP_FL_OVERWRITE | ZIP_FL_ENC_UTF_8)
                                         : -1;
        if (added < 0 || zip().setFileCompression(archive, zip_uint64_t(added),
                                                  level == 0 ? ZIP_CM_STORE : ZIP_CM_DEFLATE,
                                                  zip_uint32_t(level)) < 0) {
            const QString reason = QString::fromUtf8(zip().strerror(archive));
            if (source && added < 0) {
                zip().sourceFree(source);  // an added source belongs to the archive
            }
            zip().discard(archive);
            return failure(
                QStringLiteral("Cannot add %1 to %2: %3").arg(entry.file, archivePath, reason));
        }
    }
    if (progress) {
        zip().registerProgress(archive, 0.01, reportProgress, nullptr,
                               const_cast<ZipArchive::Progress*>(&progress));
    }
    if (zip().close(archive) != 0) {
        const QString reason = QString::fromUtf8(zip().strerror(archive));
        zip().discard(archive);
        return failure(QStringLiteral("Cannot write %1: %2").arg(archivePath, reason));
    }
    return {true, {}, {}};
}

}  // namespace

bool ZipArchive::isSafeEntryName(const QString& name) {
    if (name.isEmpty() || name.startsWith(u'/') || name.startsWith(u'\\') ||
        (name.size() >= 2 && name[1] == u':')) {
        return false;
    }
    const QStringList parts = QString(name).replace(u'\\', u'/').split(u'/');
    return !parts.contains(QStringLiteral(".."));
}

ZipResult ZipArchive::extractAll(const QString& archivePath, const QString& folder,
                                 const ZipLimits& limits) {
    return extractZip(archivePath, folder, limits);
}

ZipResult ZipArchive::pack(const QStringList& files, const QString& archivePath, ZipAccess access) {
    QList<ZipEntry> entries;
    for (const QString& file : files) {
        entries.append({file, QFileInfo(file).fileName()});
    }
    return pack(entries, archivePath, {}, access);
}

ZipResult ZipArchive::pack(const QList<ZipEntry>& entries, const QString& archivePath,
                           const Progress& progress, ZipAccess access, int compressionLevel) {
    // The temporary archive is made with its final permissions before anything is written to
    // it (libzip keeps those of the file it replaces), so no one else ever reads a backup.
    TemporaryOutput temporary;
    try {
        temporary.reserve(archivePath, true, access == ZipAccess::OwnerOnly ? 0600 : 0666);
    } catch (const ExportError& error) {
        return failure(error.description());
    }
    if (entries.isEmpty() && !writeEmptyArchive(temporary.temporaryPath())) {
        return failure(QStringLiteral("Cannot create %1").arg(archivePath));
    }
    if (!entries.isEmpty()) {
        const ZipResult written = writeArchive(entries, temporary.temporaryPath(), archivePath,
                                               progress, std::clamp(compressionLevel, 0, 9));
        if (!written.ok) {
            return written;
        }
    }
    try {
        temporary.commit();
    } catch (const ExportError& error) {
        return failure(error.description());
    }
    QStringList files;
    for (const ZipEntry& entry : entries) {
        files.append(entry.file);
    }
    return {true, {}, files};
}

ZipResult ZipArchive::entryNames(const QString& archivePath) {
    QString problem;
    if (!ZipLibrary::get(&problem)) {
        return failure(QStringLiteral("Cannot open %1: %2").arg(archivePath, problem));
    }
    int errorCode = 0;
    ArchivePointer archive(
        zip().open(QFile::encodeName(archivePath).constData(), ZIP_RDONLY, &errorCode));
    if (!archive) {
        return failure(
            QStringLiteral("Cannot open %1: %2").arg(archivePath, zipErrorText(errorCode)));
    }
    ZipResult result{true, {}, {}};
    const zip_int64_t count = zip().getNumEntries(archive.get(), 0);
    for (zip_int64_t index = 0; index < count; ++index) {
        result.files.append(
            QString::fromUtf8(zip().getName(archive.get(), zip_uint64_t(index), 0)));
    }
    return result;
}

}  // namespace vel
