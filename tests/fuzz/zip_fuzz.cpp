// libFuzzer target for the zip reader: the input is an archive. Listing its entries and
// unpacking it (once with any safe name and small size limits, once with the names a corporate
// control zip may hold) must end in a result. An unpacking that fails leaves the target folder
// empty; one that succeeds leaves exactly the files it reports, within the limits. Built and
// run by scripts/fuzz; the files live in a folder under /dev/shm when there is one.
#include "platform/transfer/ZipArchive.h"

#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdint>
#include <cstdlib>
#include <cstring>

namespace {

const QTemporaryDir& folder() {
    static const QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                       ? QStringLiteral("/dev/shm/zip-fuzz-XXXXXX")
                                       : QDir::tempPath() + QStringLiteral("/zip-fuzz-XXXXXX"));
    return dir;
}

// The files below the folder and their total size; hidden staging folders count too.
qint64 filesBelow(const QString& path, QStringList* files) {
    qint64 total = 0;
    QDirIterator walk(path, QDir::Files | QDir::Hidden | QDir::System,
                      QDirIterator::Subdirectories);
    while (walk.hasNext()) {
        walk.next();
        files->append(walk.filePath());
        total += walk.fileInfo().size();
    }
    return total;
}

void unpackAndCheck(const QString& archive, const vel::ZipLimits& limits) {
    const QString target = folder().filePath(QStringLiteral("out"));
    QDir(target).removeRecursively();
    const vel::ZipResult result = vel::ZipArchive::extractAll(archive, target, limits);
    QStringList files;
    const qint64 total = filesBelow(target, &files);
    if (result.ok != result.error.isEmpty()) {
        std::abort();  // a result says either success or why not
    }
    if (!result.ok && !files.isEmpty()) {
        std::abort();  // nothing half-unpacked stays behind
    }
    if (result.ok) {
        QStringList reported;
        for (const QString& file : result.files) {
            reported.append(QDir::cleanPath(file));
        }
        reported.removeDuplicates();  // an archive may hold one name twice
        reported.sort();
        files.sort();
        if (files != reported || total > limits.maximumTotalSize) {
            std::abort();
        }
    }
}

}  // namespace

extern "C" int LLVMFuzzerInitialize(int* argc, char*** argv) {
    // "--write-seed DIR": a small archive of two entries as a first corpus entry.
    for (int argument = 1; argument + 1 < *argc; ++argument) {
        if (std::strcmp((*argv)[argument], "--write-seed") == 0) {
            const QString source = folder().filePath(QStringLiteral("TBCCACT.--1"));
            QFile file(source);
            if (file.open(QIODevice::WriteOnly)) {
                file.write(QByteArray(3000, ' ') + "ACT1 Picking" + QByteArray(500, 'x'));
                file.close();
            }
            vel::ZipArchive::pack({{source, QStringLiteral("TBCCACT.--1")},
                                   {source, QStringLiteral("sub/notes.txt")}},
                                  QDir((*argv)[argument + 1]).filePath(QStringLiteral("seed")));
            std::exit(0);
        }
    }
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const QString archive = folder().filePath(QStringLiteral("input.zip"));
    {
        QFile file(archive);
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            file.write(reinterpret_cast<const char*>(data), qint64(size)) != qint64(size)) {
            std::abort();
        }
    }
    vel::ZipArchive::entryNames(archive);
    vel::ZipLimits small;
    small.maximumTotalSize = 1 << 20;
    small.ratioFloor = 4096;
    small.maximumRatio = 50;
    unpackAndCheck(archive, small);
    vel::ZipLimits control;
    control.names = {QStringLiteral("TBCCACT.--1")};
    unpackAndCheck(archive, control);
    return 0;
}
