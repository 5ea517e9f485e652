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
#include <cstring>
#include <limits>
#include <set>

namespace vel::xbase {
namespace {

// The first journals checksummed their parts a byte at a time; journals are now written with
// the checksum taken a word at a time (eight times fewer steps for the tens of megabytes of a
// large save), and both are read.
const QByteArray byteSumMagic = QByteArrayLiteral("VELJRNL1");
const QByteArray magic = QByteArrayLiteral("VELJRNL2");
constexpr quint8 imageKind = 'T';
constexpr quint8 renameKind = 'M';
constexpr int partHeaderLength = 12;                        // length (4) and checksum (8)
constexpr quint64 checksumStart = 14695981039346656037ULL;  // FNV-1a
constexpr quint64 checksumPrime = 1099511628211ULL;
// A record in a part: its number and its length (4 bytes each, big-endian), then its bytes.
constexpr int recordEntryHead = 8;
constexpr quint32 recordsPerRead = 2048;

quint64 byteChecksum(const char* bytes, qsizetype length) {
    quint64 hash = checksumStart;
    for (qsizetype index = 0; index < length; ++index) {
        hash = (hash ^ quint8(bytes[index])) * checksumPrime;
    }
    return hash;
}

// FNV-1a over little-endian 8-byte words, the bytes after the last whole word one by one. Called
// on consecutive pieces it gives the checksum of the whole as long as every piece but the last
// is a whole number of words.
quint64 wordChecksum(quint64 hash, const char* bytes, qsizetype length) {
    qsizetype index = 0;
    for (; index + 8 <= length; index += 8) {
        hash = (hash ^ qFromLittleEndian<quint64>(bytes + index)) * checksumPrime;
    }
    for (; index < length; ++index) {
        hash = (hash ^ quint8(bytes[index])) * checksumPrime;
    }
    return hash;
}

// The head of an image part: everything but the records, which follow it.
QByteArray encodeHead(const TableImage& image) {
    QByteArray part;
    QDataStream out(&part, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_6_0);
    out << imageKind << image.path << image.prefix << image.size << image.tailOffset << image.tail
        << qint32(image.recordLength) << image.headerLength << quint32(image.records.size());
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

// Writes a part's content after the room for its header, a buffer at a time, keeping its
// checksum, so that a part of tens of megabytes is never copied whole.
class Journal::PartWriter {
  public:
    PartWriter(BinaryFile& file, qint64 offset)
        : file_(file), position_(offset), buffer_(new char[bufferSize]) {}

    void write(const char* bytes, qint64 length) {
        while (length > 0) {
            const qint64 taken = std::min<qint64>(length, bufferSize - used_);
            std::memcpy(buffer_.get() + used_, bytes, size_t(taken));
            used_ += taken;
            bytes += taken;
            length -= taken;
            if (used_ == bufferSize) {
                flush();
            }
        }
    }
    void write(const QByteArray& bytes) { write(bytes.constData(), bytes.size()); }
    void writeNumber(quint32 value) {
        char bytes[4];
        qToBigEndian(value, bytes);
        write(bytes, sizeof bytes);
    }

    // Writes what is left; the content's length and checksum.
    std::pair<qint64, quint64> finish() {
        flush();
        return {written_, checksum_};
    }

  private:
    static constexpr qint64 bufferSize = 1 << 20;  // a whole number of checksum words

    void flush() {
        checksum_ = wordChecksum(checksum_, buffer_.get(), used_);
        file_.writeExactly(position_ + written_, buffer_.get(), used_);
        written_ += used_;
        used_ = 0;
    }

    BinaryFile& file_;
    qint64 position_;
    qint64 written_ = 0;
    quint64 checksum_ = checksumStart;
    std::unique_ptr<char[]> buffer_;
    qint64 used_ = 0;
};

Journal::Journal(FileOperations& operations) : operations_(operations) {}

Journal::~Journal() {
    if (isActive()) {
        rollback();
    }
}

// The content is written first and the part's header (length and checksum) after it, so a part
// cut short by a crash never passes as complete.
void Journal::append(qint64 length, const QString& besides,
                     const std::function<void(PartWriter&)>& writeContent) {
    const auto writeAt = [&](BinaryFile& file, qint64 offset) {
        if (length > qint64(std::numeric_limits<quint32>::max())) {
            file.fail(ErrorCode::WriteFailed, QStringLiteral("a journal part over 4 GB"));
        }
        PartWriter out(file, offset + partHeaderLength);
        writeContent(out);
        const auto [written, sum] = out.finish();
        if (written != length) {
            file.fail(ErrorCode::WriteFailed, QStringLiteral("journal part of the wrong length"));
        }
        char header[partHeaderLength];
        qToLittleEndian<quint32>(quint32(length), header);
        qToLittleEndian<quint64>(sum, header + 4);
        file.writeExactly(offset, header, partHeaderLength);
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
        end_ = magic.size() + partHeaderLength + length;
        file_ = std::move(file);
        return;
    }
    writeAt(*file_, end_);
    file_->sync();
    end_ += partHeaderLength + length;
}

void Journal::protect(const TableImage& image, const RecordReader& reader) {
    const qsizetype recordLength = image.recordLength;
    const qsizetype count = qsizetype(image.records.size());
    if (!reader && image.recordBytes.size() != count * recordLength) {
        throw XbaseError(ErrorCode::BadArgument,
                         fileMessage(image.path, QStringLiteral("journal image without its "
                                                                "records")));
    }
    const QByteArray head = encodeHead(image);
    const qint64 length = head.size() + qint64(count) * (recordEntryHead + recordLength);
    append(length, image.path, [&](PartWriter& out) {
        out.write(head);
        QByteArray run;
        for (qsizetype index = 0; index < count;) {
            // A run of consecutive records, read at once when a reader gives them.
            qsizetype end = index + 1;
            while (end < count && end - index < recordsPerRead &&
                   image.records[size_t(end)] == image.records[size_t(end - 1)] + 1) {
                ++end;
            }
            const char* bytes = image.recordBytes.constData() + index * recordLength;
            if (reader) {
                run.resize((end - index) * recordLength);
                reader(image.records[size_t(index)], quint32(end - index), run.data());
                bytes = run.constData();
            }
            for (qsizetype at = index; at < end; ++at, bytes += recordLength) {
                out.writeNumber(image.records[size_t(at)]);
                out.writeNumber(quint32(recordLength));
                out.write(bytes, recordLength);
            }
            index = end;
        }
    });
    ++protectedTables_;
}

void Journal::addRenames(const QString& besides,
                         const std::vector<std::pair<QString, QString>>& moves) {
    const QByteArray part = encode(moves);
    append(part.size(), besides, [&](PartWriter& out) { out.write(part); });
}

void Journal::remove() {
    if (!file_) {
        return;
    }
    operations_.removeFile(file_->nativePath());
    syncFolder(operations_, folderOf(path_));
    file_.reset();
    protectedTables_ = 0;
}

void Journal::abandon() {
    file_.reset();
    protectedTables_ = 0;
}

void Journal::commit() {
    remove();
}

Status Journal::rollback() {
    // The old bytes are read back from the journal, so that a save never keeps them all in
    // memory. Every table is tried, also after one fails (most often one the save never got to
    // write).
    Status status;
    if (protectedTables_ > 0) {
        Contents contents;
        status = guarded([&] {
            contents = parse(readAll(*file_));
            if (contents.images.size() < size_t(protectedTables_)) {
                file_->fail(ErrorCode::ReadFailed,
                            QStringLiteral("the journal cannot be read back"));
            }
        });
        const bool readBack = status.ok();
        for (auto image = contents.images.rbegin(); readBack && image != contents.images.rend();
             ++image) {
            const Status restored = guarded([&] { restore(*image, operations_); });
            if (!restored.ok() && status.ok()) {
                status = restored;
            }
        }
    }
    if (status.ok()) {
        remove();
    } else {
        file_.reset();  // left for the next process that opens the table to put back
        protectedTables_ = 0;
    }
    return status;
}

void Journal::restore(const TableImage& image, FileOperations& operations) {
    BinaryFile table(operations, image.path);
    const int error = table.open(O_RDWR);
    if (error != 0) {
        table.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("open to put back"), error);
    }
    const qsizetype length = image.recordLength;
    const qsizetype count = qsizetype(image.records.size());
    if (image.recordBytes.size() != count * length) {
        table.fail(ErrorCode::BadArgument, QStringLiteral("journal image without its records"));
    }
    // Consecutive records go back with one write.
    for (qsizetype index = 0; index < count;) {
        qsizetype end = index + 1;
        while (end < count && image.records[size_t(end)] == image.records[size_t(end - 1)] + 1) {
            ++end;
        }
        table.writeExactly(image.headerLength + qint64(image.records[size_t(index)] - 1) * length,
                           image.recordBytes.constData() + index * length, (end - index) * length);
        index = end;
    }
    table.truncate(image.tailOffset);
    table.writeExactly(image.tailOffset, image.tail.constData(), image.tail.size());
    table.writeExactly(0, image.prefix.constData(), image.prefix.size());
    table.sync();
}

Journal::Contents Journal::parse(const QByteArray& bytes) {
    Contents contents;
    const bool byteSums = bytes.startsWith(byteSumMagic);
    if (!byteSums && !bytes.startsWith(magic)) {
        return contents;
    }
    qsizetype position = magic.size();
    while (position + partHeaderLength <= bytes.size()) {
        const quint32 length = qFromLittleEndian<quint32>(bytes.constData() + position);
        const quint64 sum = qFromLittleEndian<quint64>(bytes.constData() + position + 4);
        const qsizetype start = position + partHeaderLength;
        if (qsizetype(length) > bytes.size() - start) {
            break;  // cut short by a crash: the table it protects was not written yet
        }
        const char* part = bytes.constData() + start;
        if ((byteSums ? byteChecksum(part, length) : wordChecksum(checksumStart, part, length)) !=
            sum) {
            break;
        }
        QDataStream in(QByteArray::fromRawData(part, length));
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
            const quint32 fitting = length / quint32(recordEntryHead + std::max(0, recordLength));
            image.records.reserve(std::min(count, fitting));
            image.recordBytes.reserve(qsizetype(std::min(count, fitting)) * recordLength);
            for (quint32 index = 0; index < count && in.status() == QDataStream::Ok; ++index) {
                quint32 number = 0;
                QByteArray record;
                in >> number >> record;
                if (record.size() != recordLength) {
                    return contents;  // not a record of this table: no part after it counts
                }
                image.records.push_back(number);
                image.recordBytes.append(record);
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
