#include "platform/transfer/ZipExtraction.h"

#include "platform/transfer/ZipLibrary.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <sys/stat.h>
#include <unistd.h>
#include <cerrno>
#include <cstdio>
#include <cstring>
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
struct EntryCloser {
    void operator()(zip_file_t* file) const { zip().fclose(file); }
};

// Thrown inside the extraction with the message the caller gets.
struct Refusal {
    QString message;
};

// One entry as checked: its name (with "/" separators) and declared sizes.
struct Entry {
    zip_uint64_t index = 0;
    QString name;
    qint64 size = 0;
    qint64 packedSize = 0;
    bool folder = false;
};

QString megabytes(qint64 bytes) {
    return QString::number(double(bytes) / (1024.0 * 1024.0), 'f', 1) + QStringLiteral(" MB");
}

bool isLink(zip_t* archive, zip_uint64_t index) {
    zip_uint8_t system = 0;
    zip_uint32_t attributes = 0;
    if (zip().fileGetExternalAttributes(archive, index, 0, &system, &attributes) != 0) {
        return false;
    }
    return system == ZIP_OPSYS_UNIX && S_ISLNK(attributes >> 16);
}

bool isSymbolicLink(const QString& path) {
    struct stat status {};
    return ::lstat(QFile::encodeName(path).constData(), &status) == 0 && S_ISLNK(status.st_mode);
}

class Extraction {
  public:
    Extraction(const QString& archivePath, const QString& folder, const ZipLimits& limits)
        : archivePath_(archivePath), folder_(QDir(folder).absolutePath()), limits_(limits) {}

    QStringList run() {
        open();
        checkEntries();
        if (!QDir().mkpath(folder_)) {
            refuse(QStringLiteral("Cannot unpack %1: the folder %2 cannot be made")
                       .arg(archivePath_, folder_));
        }
        refuseLinksInTheWay();
        QTemporaryDir staging(folder_ + QStringLiteral("/.unzip-XXXXXX"));
        if (!staging.isValid()) {
            refuse(QStringLiteral("Cannot unpack %1 into %2: %3")
                       .arg(archivePath_, folder_, staging.errorString()));
        }
        for (const Entry& entry : entries_) {
            unpack(entry, staging.path());
        }
        return moveIntoPlace(staging.path());
    }

  private:
    [[noreturn]] void refuse(const QString& message) const { throw Refusal{message}; }

    void open() {
        QString problem;
        if (!ZipLibrary::get(&problem)) {
            refuse(QStringLiteral("Cannot open %1: %2").arg(archivePath_, problem));
        }
        int errorCode = 0;
        archive_.reset(
            zip().open(QFile::encodeName(archivePath_).constData(), ZIP_RDONLY, &errorCode));
        if (!archive_) {
            refuse(QStringLiteral("Cannot open %1: %2").arg(archivePath_, zipErrorText(errorCode)));
        }
    }

    // Every entry is checked before anything is written.
    void checkEntries() {
        const zip_int64_t count = zip().getNumEntries(archive_.get(), 0);
        qint64 total = 0;
        for (zip_int64_t index = 0; index < count; ++index) {
            Entry entry = described(zip_uint64_t(index));
            total += entry.size;
            if (total > limits_.maximumTotalSize) {
                refuse(QStringLiteral("%1 is refused: it would unpack to more than %2, the most "
                                      "it may hold (a damaged archive or a zip bomb)")
                           .arg(archivePath_, megabytes(limits_.maximumTotalSize)));
            }
            if (entry.size > limits_.ratioFloor &&
                entry.size / std::max<qint64>(entry.packedSize, 1) > limits_.maximumRatio) {
                refuse(QStringLiteral("%1 is refused: \"%2\" would unpack to %3, more than %4 "
                                      "times its packed size (a zip bomb)")
                           .arg(archivePath_, entry.name, megabytes(entry.size))
                           .arg(limits_.maximumRatio));
            }
            entries_.push_back(entry);
        }
    }

    Entry described(zip_uint64_t index) const {
        const char* stored = zip().getName(archive_.get(), index, 0);
        Entry entry;
        entry.index = index;
        entry.name = QString::fromUtf8(stored ? stored : "");
        if (!ZipArchive::isSafeEntryName(entry.name) || isLink(archive_.get(), index)) {
            refuse(QStringLiteral("%1 holds an entry that may not be unpacked: \"%2\"")
                       .arg(archivePath_, entry.name));
        }
        entry.name.replace(u'\\', u'/');
        entry.folder = entry.name.endsWith(u'/');
        if (!limits_.names.isEmpty() &&
            (entry.folder || !limits_.names.contains(entry.name, Qt::CaseInsensitive))) {
            refuse(QStringLiteral("%1 holds an entry it should not: \"%2\" (expected: %3)")
                       .arg(archivePath_, entry.name, limits_.names.join(QStringLiteral(", "))));
        }
        zip_stat_t status;
        zip().statInit(&status);
        if (zip().statIndex(archive_.get(), index, 0, &status) != 0) {
            refuse(QStringLiteral("Cannot unpack %1 from %2: %3")
                       .arg(entry.name, archivePath_,
                            QString::fromUtf8(zip().strerror(archive_.get()))));
        }
        const auto declared = [](zip_uint64_t size) {
            return size > zip_uint64_t(INT64_MAX) ? INT64_MAX : qint64(size);
        };
        entry.size = (status.valid & ZIP_STAT_SIZE) ? declared(status.size) : 0;
        entry.packedSize = (status.valid & ZIP_STAT_COMP_SIZE) ? declared(status.comp_size) : 0;
        return entry;
    }

    // A name whose folder, or the name itself, is a symbolic link in the target folder would
    // write somewhere else; such a name is refused before anything is written.
    void refuseLinksInTheWay() const {
        for (const Entry& entry : entries_) {
            QString path = folder_;
            for (const QString& part : entry.name.split(u'/', Qt::SkipEmptyParts)) {
                path += u'/' + part;
                if (isSymbolicLink(path)) {
                    refuse(QStringLiteral("Cannot unpack %1 from %2: %3 is a symbolic link, "
                                          "which is not written through")
                               .arg(entry.name, archivePath_, path));
                }
            }
        }
    }

    // Unpacks one entry into the staging folder, counting what really comes out.
    void unpack(const Entry& entry, const QString& staging) {
        const QString path = staging + u'/' + entry.name;
        if (entry.folder) {
            QDir().mkpath(path);
            return;
        }
        QDir().mkpath(QFileInfo(path).absolutePath());
        std::unique_ptr<zip_file_t, EntryCloser> input(
            zip().fopenIndex(archive_.get(), entry.index, 0));
        if (!input) {
            refuse(QStringLiteral("Cannot unpack %1 from %2: %3")
                       .arg(entry.name, archivePath_,
                            QString::fromUtf8(zip().strerror(archive_.get()))));
        }
        QFile output(path);
        if (!output.open(QIODevice::WriteOnly)) {
            refuse(QStringLiteral("Cannot write %1: %2").arg(path, output.errorString()));
        }
        char buffer[65536];
        qint64 produced = 0;
        zip_int64_t read = 0;
        while ((read = zip().fread(input.get(), buffer, sizeof buffer)) > 0) {
            produced += read;
            unpacked_ += read;
            if (produced > entry.size || unpacked_ > limits_.maximumTotalSize) {
                refuse(QStringLiteral("%1 is refused: \"%2\" unpacks to more than it declares "
                                      "(a damaged archive or a zip bomb)")
                           .arg(archivePath_, entry.name));
            }
            if (output.write(buffer, read) != read) {
                refuse(QStringLiteral("Cannot write %1: %2").arg(path, output.errorString()));
            }
        }
        if (read < 0) {
            refuse(QStringLiteral("Cannot unpack %1 from %2: %3")
                       .arg(entry.name, archivePath_,
                            QString::fromUtf8(zip().fileStrerror(input.get()))));
        }
        if (!output.flush() || ::fsync(output.handle()) != 0) {
            refuse(QStringLiteral("Cannot write %1: %2")
                       .arg(path, QString::fromLocal8Bit(std::strerror(errno))));
        }
    }

    QStringList moveIntoPlace(const QString& staging) const {
        QStringList written;
        for (const Entry& entry : entries_) {
            const QString target = folder_ + u'/' + entry.name;
            if (entry.folder) {
                QDir().mkpath(target);
                continue;
            }
            QDir().mkpath(QFileInfo(target).absolutePath());
            const QString from = staging + u'/' + entry.name;
            if (::rename(QFile::encodeName(from).constData(),
                         QFile::encodeName(target).constData()) != 0) {
                refuse(QStringLiteral("Cannot unpack %1 from %2 to %3: %4")
                           .arg(entry.name, archivePath_, target,
                                QString::fromLocal8Bit(std::strerror(errno))));
            }
            written << target;
        }
        return written;
    }

    QString archivePath_;
    QString folder_;
    ZipLimits limits_;
    std::unique_ptr<zip_t, ArchiveCloser> archive_;
    std::vector<Entry> entries_;
    qint64 unpacked_ = 0;
};

}  // namespace

QString zipErrorText(int errorCode) {
    if (!ZipLibrary::get()) {
        return QStringLiteral("error %1").arg(errorCode);
    }
    zip_error_t error;
    zip().errorInitWithCode(&error, errorCode);
    const QString text = QString::fromUtf8(zip().errorStrerror(&error));
    zip().errorFini(&error);
    return text;
}

ZipResult extractZip(const QString& archivePath, const QString& folder, const ZipLimits& limits) {
    try {
        return {true, {}, Extraction(archivePath, folder, limits).run()};
    } catch (const Refusal& refusal) {
        return {false, refusal.message, {}};
    }
}

}  // namespace vel
