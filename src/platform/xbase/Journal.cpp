#include "platform/xbase/Journal.h"

#include "platform/xbase/Table.h"
#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <QDataStream>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QtEndian>
#include <algorithm>
#include <cerrno>
#include <set>

namespace vel::xbase {
namespace {

const QByteArray magic = QByteArrayLiteral("VELJRNL1");
constexpr quint8 imageKind = 'T';
constexpr quint8 renameKind = 'M';
constexpr int partHeaderLength = 12;  // length (4) and checksum (8)

quint64 checksum(const char* bytes, qsizetype length) {
    quint64 hash = 14695981039346656037ULL;  // FNV-1a
    for (qsizetype index = 0; index < length; ++index) {
        hash = (hash ^ quint8(bytes[index])) * 1099511628211ULL;
    }
    return hash;
}

// The length and checksum written before a part (the part itself is not copied: an image of
// 50,000 records is tens of megabytes).
QByteArray partHeader(const QByteArray& part) {
    QByteArray bytes(partHeaderLength, '\0');
    qToLittleEndian<quint32>(quint32(part.size()), bytes.data());
    qToLittleEndian<quint64>(checksum(part.constData(), part.size()), bytes.data() + 4);
    return bytes;
}

QByteArray encode(const TableImage& image) {
    QByteArray part;
    // Sized once: the stream would otherwise grow the buffer step by step to twice its size.
    part.reserve(qsizetype(image.records.size()) * (image.recordLength + 8) + image.tail.size() +
                 image.prefix.size() + 1024);
    QDataStream out(&part, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << imageKind << image.path << image.prefix << image.size << image.tailOffset << image.tail
        << qint32(image.recordLength) << image.headerLength << quint32(image.records.size());
    for (const auto& [number, bytes] : image.records) {
        out << number << bytes;
    }
    return part;
}

QByteArray encode(const std::vector<std::pair<QString, QString>>& renames) {
    QByteArray part;
    QDataStream out(&part, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << renameKind << quint32(renames.size());
    for (const auto& [from, to] : renames) {
        out << from << to;
    }
    return part;
}

void syncFolder(FileOperations& operations, const QString& folder) {
    const int descriptor =
        operations.openFile(QFile::encodeName(folder), O_RDONLY | O_DIRECTORY, 0);
    if (descriptor >= 0) {
        operations.syncFile(descriptor);
        operations.closeFile(descriptor);
    }
}

QString folderOf(const QString& path) {
    return QFileInfo(path).absolutePath();
}

QByteArray readAll(BinaryFile& file) {
    QByteArray bytes(file.size(), '\0');
    bytes.resize(file.readUpTo(0, bytes.data(), bytes.size()));
    return bytes;
}

bool lockTable(BinaryFile& file, const LockPolicy& policy) {
    return file.open(O_RDWR) == 0 &&
           file.lock(Table::commitLockStart, Table::commitLockLength, true, policy);
}

// Recovers one abandoned journal. Its tables are locked first, then the journal itself, so
// that a live writer (which holds its journal) is never disturbed.
Status recoverOne(const QString& path, FileOperations& operations, const LockPolicy& policy) {
    return guarded([&] {
        for (int attempt = 0; attempt < 3; ++attempt) {
            BinaryFile peek(operations, path);
            if (peek.open(O_RDONLY) != 0) {
                return;  // finished by someone else
            }
            if (!peek.lock(0, 1, false, LockPolicy::failAtOnce())) {
                return;  // its writer lives (it holds its tables too)
            }
            const Journal::Contents first = Journal::parse(readAll(peek));
            peek.close();
            std::set<QString> tables;
            for (const TableImage& image : first.images) {
                tables.insert(image.path);
            }
            std::vector<std::unique_ptr<BinaryFile>> locked;
            for (const QString& table : tables) {
                locked.push_back(std::make_unique<BinaryFile>(operations, table));
                if (!lockTable(*locked.back(), policy)) {
                    locked.back()->fail(ErrorCode::Locked,
                                        QStringLiteral("table is locked; an interrupted save "
                                                       "cannot be put back yet"));
                }
            }
            BinaryFile journal(operations, path);
            if (journal.open(O_RDWR) != 0 || !journal.lock(0, 1, true, LockPolicy::failAtOnce())) {
                return;  // its writer lives, or another process is recovering it
            }
            struct stat status {};
            if (::fstat(journal.descriptor(), &status) != 0 || status.st_nlink == 0) {
                return;  // finished while the tables were being locked
            }
            const Journal::Contents contents = Journal::parse(readAll(journal));
            const bool covered = std::ranges::all_of(contents.images, [&](const TableImage& image) {
                return tables.count(image.path) > 0;
            });
            if (!covered) {
                continue;  // it grew while we waited: lock its tables again
            }
            for (const auto& [from, to] : contents.renames) {
                if (QFileInfo::exists(from)) {
                    if (operations.renameFile(QFile::encodeName(from), QFile::encodeName(to)) !=
                        0) {
                        BinaryFile(operations, to)
                            .failWithErrno(ErrorCode::WriteFailed, QStringLiteral("replace"),
                                           errno);
                    }
                }
            }
            for (auto image = contents.images.rbegin(); image != contents.images.rend(); ++image) {
                Journal::restore(*image, operations);
            }
            operations.removeFile(journal.nativePath());
            syncFolder(operations, folderOf(path));
            return;
        }
    });
}

}  // namespace

Journal::Journal(FileOperations& operations) : operations_(operations) {}

Journal::~Journal() {
    if (isActive()) {
        rollback();
    }
}

void Journal::append(const QByteArray& part, const QString& besides) {
    const QByteArray header = partHeader(part);
    const qint64 length = header.size() + part.size();
    const auto writeAt = [&](BinaryFile& file, qint64 offset) {
        file.writeExactly(offset, header.constData(), header.size());
        file.writeExactly(offset + header.size(), part.constData(), part.size());
    };
    if (!file_) {
        path_ = besides +
                QStringLiteral(".%1").arg(QRandomGenerator::global()->generate(), 8, 16,
                                          QLatin1Char('0')) +
                QLatin1String(suffix);
        auto file = std::make_unique<BinaryFile>(operations_, path_ + QStringLiteral(".tmp"));
        const int error = file->open(O_RDWR | O_CREAT | O_EXCL, 0666);
        if (error != 0) {
            file->failWithErrno(ErrorCode::WriteFailed, QStringLiteral("create of the journal"),
                                error);
        }
        try {
            if (!file->lock(0, 1, true, LockPolicy::failAtOnce())) {
                file->fail(ErrorCode::Locked, QStringLiteral("journal is locked"));
            }
            file->writeExactly(0, magic.constData(), magic.size());
            writeAt(*file, magic.size());
            file->sync();
            // Published only when complete: a recovering process never sees a journal that is
            // still being started.
            if (operations_.renameFile(file->nativePath(), QFile::encodeName(path_)) != 0) {
                file->failWithErrno(ErrorCode::WriteFailed, QStringLiteral("publish"), errno);
            }
        } catch (...) {
            operations_.removeFile(file->nativePath());
            throw;
        }
        file->setPath(path_);
        syncFolder(operations_, folderOf(path_));
        end_ = magic.size() + length;
        file_ = std::move(file);
        return;
    }
    writeAt(*file_, end_);
    file_->sync();
    end_ += length;
}

void Journal::protect(const TableImage& image) {
    append(encode(image), image.path);
    images_.push_back(image);
}

void Journal::addRenames(const QString& besides,
                         const std::vector<std::pair<QString, QString>>& moves) {
    append(encode(moves), besides);
}

void Journal::remove() {
    if (!file_) {
        return;
    }
    operations_.removeFile(file_->nativePath());
    syncFolder(operations_, folderOf(path_));
    file_.reset();
    images_.clear();
}

void Journal::abandon() {
    file_.reset();
    images_.clear();
}

void Journal::commit() {
    remove();
}

Status Journal::rollback() {
    // Every table is tried, also after one fails (most often one the save never got to write).
    Status status;
    for (auto image = images_.rbegin(); image != images_.rend(); ++image) {
        const Status restored = guarded([&] { restore(*image, operations_); });
        if (!restored.ok() && status.ok()) {
            status = restored;
        }
    }
    if (status.ok()) {
        remove();
    } else {
        file_.reset();  // left for the next process that opens the table to put back
        images_.clear();
    }
    return status;
}

void Journal::restore(const TableImage& image, FileOperations& operations) {
    BinaryFile table(operations, image.path);
    const int error = table.open(O_RDWR);
    if (error != 0) {
        table.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("open to put back"), error);
    }
    for (const auto& [number, bytes] : image.records) {
        table.writeExactly(image.headerLength + qint64(number - 1) * image.recordLength,
                           bytes.constData(), bytes.size());
    }
    table.truncate(image.tailOffset);
    table.writeExactly(image.tailOffset, image.tail.constData(), image.tail.size());
    table.writeExactly(0, image.prefix.constData(), image.prefix.size());
    table.sync();
}

Journal::Contents Journal::parse(const QByteArray& bytes) {
    Contents contents;
    if (!bytes.startsWith(magic)) {
        return contents;
    }
    qsizetype position = magic.size();
    while (position + partHeaderLength <= bytes.size()) {
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + position);
        const quint64 sum = qFromLittleEndian<quint64>(bytes.constData() + position + 4);
        const qsizetype start = position + partHeaderLength;
        if (qsizetype(length) > bytes.size() - start ||
            checksum(bytes.constData() + start, length) != sum) {
            break;  // cut short by a crash: the table it protects was not written yet
        }
        QDataStream in(bytes.mid(start, length));
        in.setVersion(QDataStream::Qt_6_0);
        quint8 kind = 0;
        in >> kind;
        if (kind == imageKind) {
            TableImage image;
            qint32 recordLength = 0;
            quint32 count = 0;
            in >> image.path >> image.prefix >> image.size >> image.tailOffset >> image.tail >>
                recordLength >> image.headerLength >> count;
            image.recordLength = recordLength;
            for (quint32 index = 0; index < count && in.status() == QDataStream::Ok; ++index) {
                quint32 number = 0;
                QByteArray record;
                in >> number >> record;
                image.records.emplace_back(number, record);
            }
            contents.images.push_back(std::move(image));
        } else if (kind == renameKind) {
            quint32 count = 0;
            in >> count;
            for (quint32 index = 0; index < count && in.status() == QDataStream::Ok; ++index) {
                QString from;
                QString to;
                in >> from >> to;
                contents.renames.emplace_back(from, to);
            }
        }
        position = start + length;
    }
    return contents;
}

bool Journal::hasAbandoned(const QString& folder, FileOperations& operations) {
    const QDir directory(folder);
    const QStringList names =
        directory.entryList({QStringLiteral("*.jnl"), QStringLiteral("*.jnl.tmp")}, QDir::Files);
    for (const QString& name : names) {
        BinaryFile journal(operations, directory.filePath(name));
        if (journal.open(O_RDONLY) == 0 && journal.lock(0, 1, false, LockPolicy::failAtOnce())) {
            return true;
        }
    }
    return false;
}

Status Journal::recoverFolder(const QString& folder, FileOperations& operations,
                              const LockPolicy& policy) {
    const QDir directory(folder);
    Status result;
    const QStringList started = directory.entryList({QStringLiteral("*.jnl.tmp")}, QDir::Files);
    for (const QString& name : started) {
        // A journal that was never published protects nothing: no table was written yet.
        BinaryFile journal(operations, directory.filePath(name));
        if (journal.open(O_RDWR) == 0 && journal.lock(0, 1, true, LockPolicy::failAtOnce())) {
            operations.removeFile(journal.nativePath());
        }
    }
    const QStringList names = directory.entryList({QStringLiteral("*.jnl")}, QDir::Files);
    for (const QString& name : names) {
        const Status status = recoverOne(directory.filePath(name), operations, policy);
        if (!status.ok() && result.ok()) {
            result = status;
        }
    }
    return result;
}

}  // namespace vel::xbase
