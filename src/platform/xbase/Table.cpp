#include "platform/xbase/Table.h"

#include "platform/xbase/FieldValues.h"
#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QtEndian>

namespace vel::xbase {
namespace {

constexpr qint64 readAheadBytes = 64 * 1024;
constexpr qint64 wholeTableLimit = 64 * 1024 * 1024;

}  // namespace

Table::Table(FileOperations& operations) : operations_(operations), file_(operations, QString()) {}

Table::~Table() {
    close();
}

Status Table::open(const QString& path, const OpenOptions& options) {
    if (isOpen()) {
        close();
    }
    const Status status = guarded([&] { openFile(path, options); });
    if (!status.ok()) {
        file_.close();
        header_ = TableHeader();
    }
    return status;
}

void Table::openFile(const QString& path, const OpenOptions& options) {
    file_.setPath(path);
    readOnly_ = options.readOnly;
    exclusive_ = options.access == AccessMode::Exclusive && !readOnly_;
    policy_ = options.lockPolicy;
    const int error = file_.open(readOnly_ ? O_RDONLY : O_RDWR);
    if (error != 0) {
        file_.failWithErrno(error == ENOENT ? ErrorCode::NotFound : ErrorCode::OpenFailed,
                            QStringLiteral("open"), error);
    }
    if (!file_.lock(openLockOffset, 1, exclusive_, openingPolicy(policy_))) {
        file_.fail(ErrorCode::Locked, exclusive_ ? QStringLiteral("table is in use by another user")
                                                 : QStringLiteral("table is open exclusively by "
                                                                  "another user"));
    }
    // The header before the size: an append writes its record before the count, so a count
    // read first never exceeds the records of a size read after it.
    QByteArray prefix(TableHeader::prefixLength, '\0');
    prefix.resize(file_.readUpTo(0, prefix.data(), prefix.size()));
    const int headerLength = TableHeader::storedHeaderLength(prefix, file_.size(), path);
    QByteArray bytes(headerLength, '\0');
    file_.readExactly(0, bytes.data(), headerLength);
    const qint64 size = file_.size();
    header_ = TableHeader::parse(bytes, size, path);
    count_ = header_.recordCount;
    // Whole records after the counted ones are an append that never got its count written.
    trimTail_ = exclusive_ && size > header_.recordOffset(count_ + 1) + 1;
    dateWritten_ = false;
    modified_ = false;
    changed_ = false;
    readAheadCount_ = 0;
    lastRead_ = 0;
    record_ = QByteArray(header_.recordLength, ' ');
    original_ = QByteArray(header_.recordLength, ' ');
    today_ = QDate::currentDate();
    wholeTableCached_ = false;
    if (count_ > 0) {
        load(1);
    } else {
        loadEndOfFile();
        bof_ = true;
    }
}

Status Table::close() {
    if (!isOpen()) {
        return Status::success();
    }
    Status status = guarded([&] {
        if (changed_) {
            writeBack();
        }
        if (modified_ && !dateWritten_) {
            // Record the date of the last update, with the count read fresh under the lock.
            if (exclusive_ || lockAppend().ok()) {
                header_.recordCount = refreshCount();
                header_.lastUpdate = QDate::currentDate();
                writeHeaderCount();
            }
        }
        for (const auto& index : indexes_) {
            index->release();  // writes what a held index kept
        }
    });
    indexes_.clear();
    selected_ = -1;
    if (isOpen()) {
        guarded([&] { unlockAll(); });
    }
    file_.close();
    changed_ = false;
    appendBatch_.clear();
    lockedRecords_.clear();
    appendLocked_ = fileLocked_ = fileReadLocked_ = false;
    return status;
}

// Holding the file lock keeps other users' appends out, so the count read when it was taken
// stays true until it is let go.
quint32 Table::refreshCount() {
    if (!exclusive_ && !fileLocked_ && isOpen()) {
        count_ = countInHeader();
    }
    return count_;
}

// The header's count as another user may have written it, never more than the file holds.
quint32 Table::countInHeader() {
    uchar bytes[4];
    file_.readExactly(4, reinterpret_cast<char*>(bytes), sizeof bytes);
    const quint32 stored = qFromLittleEndian<quint32>(bytes);
    return std::min(stored, header_.recordsInFileSize(file_.size()));
}

quint32 Table::recordCount() {
    guarded([&] { refreshCount(); });
    return count_;
}

void Table::requireOpen() const {
    if (!isOpen()) {
        throw XbaseError(ErrorCode::NotOpen, QStringLiteral("table is not open"));
    }
}

void Table::requireWritable() const {
    requireOpen();
    if (readOnly_) {
        file_.fail(ErrorCode::BadArgument, QStringLiteral("table is open read-only"));
    }
}

void Table::requireExclusive(const QString& action) const {
    requireWritable();
    if (!exclusive_) {
        file_.fail(ErrorCode::NeedsExclusive,
                   action + QStringLiteral(" needs the table opened exclusively"));
    }
}

// Reads one record; exclusive tables read sequential runs in blocks.
void Table::readRecord(quint32 record, char* into) {
    const int length = header_.recordLength;
    // Records change only through this object while it has the table exclusively or holds its
    // file lock, so they can be read ahead.
    if (exclusive_ || fileLocked_ || fileReadLocked_) {
        if (exclusive_ && !wholeTableCached_ && qint64(count_) * length <= wholeTableLimit) {
            // Nobody else writes an exclusive table: keep all its records in memory.
            readAhead_.resize(qsizetype(count_) * length);
            file_.readExactly(header_.recordOffset(1), readAhead_.data(), readAhead_.size());
            readAheadFirst_ = 1;
            readAheadCount_ = count_;
            wholeTableCached_ = true;
        }
        if (record < readAheadFirst_ || record >= readAheadFirst_ + readAheadCount_) {
            if (record == lastRead_ + 1 && !wholeTableCached_) {
                const auto wanted = quint32(std::max<qint64>(1, readAheadBytes / length));
                readAheadCount_ = std::min(wanted, count_ - record + 1);
                readAhead_.resize(qsizetype(readAheadCount_) * length);
                file_.readExactly(header_.recordOffset(record), readAhead_.data(),
                                  readAhead_.size());
                readAheadFirst_ = record;
            } else {
                file_.readExactly(header_.recordOffset(record), into, length);
                lastRead_ = record;
                return;
            }
        }
        std::memcpy(into, readAhead_.constData() + qsizetype(record - readAheadFirst_) * length,
                    size_t(length));
        lastRead_ = record;
        return;
    }
    file_.readExactly(header_.recordOffset(record), into, length);
}

void Table::load(quint32 record) {
    readRecord(record, record_.data());
    keepOriginal();
    recordNumber_ = record;
    eof_ = bof_ = false;
    changed_ = false;
    indexCursorStale_ = true;
}

void Table::keepOriginal() {
    std::memcpy(original_.data(), record_.constData(), size_t(header_.recordLength));
}

void Table::loadEndOfFile() {
    record_.fill(' ');
    keepOriginal();
    recordNumber_ = count_ + 1;
    eof_ = true;
    bof_ = false;
    changed_ = false;
}

Status Table::goTop() {
    return goToEnd(true);
}

Status Table::goBottom() {
    return goToEnd(false);
}

// The first or last record in the selected order; end of file (with bof) when there is none.
Status Table::goToEnd(bool top) {
    return guarded([&] {
        requireOpen();
        if (changed_) {
            writeBack();
        }
        refreshCount();
        if (selected_ >= 0) {
            if (top ? index(selected_).first() : index(selected_).last()) {
                moveInIndex(0);
                return;
            }
        } else if (count_ > 0) {
            load(top ? 1 : count_);
            return;
        }
        loadEndOfFile();
        bof_ = true;
    });
}

Status Table::go(quint32 record) {
    return guarded([&] {
        requireOpen();
        if (changed_) {
            writeBack();
        }
        if (record == 0 || record > count_) {
            refreshCount();
        }
        if (record == 0 || record > count_) {
            file_.fail(ErrorCode::BadRecordNumber,
                       QStringLiteral("record %1 does not exist (the table has %2 records)")
                           .arg(record)
                           .arg(count_));
        }
        load(record);
    });
}

Status Table::skip(qint64 count) {
    return guarded([&] {
        requireOpen();
        if (changed_) {
            writeBack();
        }
        if (selected_ >= 0) {
            moveInIndex(count);
            return;
        }
        const qint64 target = qint64(eof_ ? count_ + 1 : recordNumber_) + count;
        if (target > qint64(count_)) {
            refreshCount();
        }
        if (target > qint64(count_)) {
            loadEndOfFile();
        } else if (target < 1) {
            if (count_ == 0) {
                loadEndOfFile();
            } else {
                load(1);
            }
            bof_ = true;
        } else {
            load(quint32(target));
        }
    });
}

Status Table::sync() {
    return guarded([&] {
        requireOpen();
        file_.sync();
    });
}

void Table::discardChanges() {
    changed_ = false;
    modified_ = false;
}

Status Table::flush() {
    return guarded([&] {
        if (changed_) {
            writeBack();
        }
    });
}

// Writes the changed current record (under a record lock in shared mode) and its index keys.
// Changes made while at the end of the file are kept for appendCurrent() and not written.
void Table::writeBack() {
    if (eof_ || recordNumber_ == 0 || recordNumber_ > count_) {
        return;
    }
    requireWritable();
    const quint32 record = recordNumber_;
    const bool autoLock = !exclusive_ && !fileLocked_ && !lockedRecords_.contains(record);
    if (autoLock && !takeRecordLock(record)) {
        file_.fail(ErrorCode::Locked,
                   QStringLiteral("record %1 is locked by another user").arg(record));
    }
    try {
        file_.writeExactly(header_.recordOffset(record), record_.constData(), header_.recordLength);
        if (record >= readAheadFirst_ && record < readAheadFirst_ + readAheadCount_) {
            std::memcpy(
                readAhead_.data() + qsizetype(record - readAheadFirst_) * header_.recordLength,
                record_.constData(), size_t(header_.recordLength));
        }
        updateIndexes(original_.constData(), record_.constData(), record);
    } catch (...) {
        if (autoLock) {
            releaseRecordLock(record);
        }
        throw;
    }
    if (autoLock) {
        releaseRecordLock(record);
    }
    keepOriginal();
    changed_ = false;
    modified_ = true;
}

void Table::updateIndexes(const char* before, const char* after, quint32 record) {
    for (const auto& index : indexes_) {
        const QByteArray oldKey = index->expression().evaluate(before);
        const QByteArray newKey = index->expression().evaluate(after);
        if (oldKey != newKey) {
            index->remove(oldKey.constData(), record);
            index->insert(newKey.constData(), record);
            indexCursorStale_ = true;
        }
    }
}

// Writes whole records (a multiple of the record length) as new last records: the records and
// end mark first, in one write, then the header count once, so that a crash in between leaves
// only whole records past the count, which do not count. Then their keys go into every index.
void Table::appendRecords(const QByteArray& records) {
    requireWritable();
    const quint32 added = quint32(records.size() / header_.recordLength);
    if (added == 0) {
        return;
    }
    const bool autoLock = !exclusive_ && !appendLocked_ && !fileLocked_;
    if (autoLock && !file_.lock(recordLockBase, 1, true, policy_)) {
        file_.fail(ErrorCode::Locked, QStringLiteral("another user is appending to the table"));
    }
    quint32 first = 0;
    try {
        refreshCount();
        if (trimTail_) {
            file_.truncate(header_.recordOffset(count_ + 1));
            trimTail_ = false;
        }
        first = count_ + 1;
        appendBytes_.resize(records.size() + 1);
        std::memcpy(appendBytes_.data(), records.constData(), size_t(records.size()));
        appendBytes_[records.size()] = TableHeader::endOfFile;
        file_.writeExactly(header_.recordOffset(first), appendBytes_.constData(),
                           appendBytes_.size());
        if (wholeTableCached_ && first == readAheadFirst_ + readAheadCount_) {
            readAhead_.append(records);
            readAheadCount_ += added;
        }
        count_ = first + added - 1;
        header_.recordCount = count_;
        header_.lastUpdate = today_;
        writeHeaderCount();
        dateWritten_ = true;
        for (const auto& index : indexes_) {
            for (quint32 offset = 0; offset < added; ++offset) {
                const char* record = records.constData() + qsizetype(offset) * header_.recordLength;
                index->insert(index->expression().evaluate(record).constData(), first + offset);
            }
        }
    } catch (...) {
        if (autoLock) {
            file_.unlock(recordLockBase, 1);
        }
        throw;
    }
    if (autoLock) {
        file_.unlock(recordLockBase, 1);
    }
    recordNumber_ = count_;
    std::memmove(record_.data(), records.constData() + records.size() - header_.recordLength,
                 size_t(header_.recordLength));
    keepOriginal();
    changed_ = false;
    eof_ = bof_ = false;
    indexCursorStale_ = true;
}

void Table::writeHeaderCount() {
    char bytes[7];
    header_.countAndDate(bytes);
    file_.writeExactly(1, bytes, sizeof bytes);
}

Status Table::appendBlank() {
    return guarded([&] {
        requireWritable();
        if (changed_) {
            writeBack();
        }
        record_.fill(' ');
        appendRecords(record_);
    });
}

Status Table::startAppend(bool blank) {
    return guarded([&] {
        requireWritable();
        if (changed_) {
            writeBack();
        }
        if (blank) {
            record_.fill(' ');
        }
        record_[0] = ' ';
        keepOriginal();
        recordNumber_ = refreshCount() + 1;
        eof_ = true;
        bof_ = false;
    });
}

Status Table::appendCurrent() {
    return guarded([&] {
        requireWritable();
        appendRecords(record_);
    });
}

Status Table::keepForAppend() {
    return guarded([&] {
        requireWritable();
        if (!eof_) {
            file_.fail(ErrorCode::BadArgument, QStringLiteral("no new record to keep"));
        }
        appendBatch_.append(record_);
        record_.fill(' ');
        keepOriginal();
        changed_ = false;
    });
}

Status Table::appendKept() {
    return guarded([&] {
        requireWritable();
        QByteArray batch;
        batch.swap(appendBatch_);
        appendRecords(batch);
    });
}

Status Table::reuseDeleted(bool* reused) {
    *reused = false;
    return guarded([&] {
        requireWritable();
        if (changed_) {
            writeBack();
        }
        QByteArray candidate(header_.recordLength, ' ');
        const quint32 count = refreshCount();
        for (quint32 record = 1; record <= count; ++record) {
            readRecord(record, candidate.data());
            if (candidate[0] != '*') {
                continue;
            }
            const bool autoLock = !exclusive_ && !fileLocked_ && !lockedRecords_.contains(record);
            if (autoLock && !takeRecordLock(record)) {
                continue;  // another user is busy with it
            }
            try {
                load(record);  // read again under the lock
                if (isDeleted()) {
                    record_.fill(' ');
                    changed_ = true;
                    writeBack();
                    *reused = true;
                }
            } catch (...) {
                if (autoLock) {
                    releaseRecordLock(record);
                }
                throw;
            }
            if (autoLock) {
                releaseRecordLock(record);
            }
            if (*reused) {
                return;
            }
        }
    });
}

Status Table::deleteRecord() {
    return guarded([&] {
        requireWritable();
        if (eof_) {
            file_.fail(ErrorCode::BadRecordNumber, QStringLiteral("no current record to delete"));
        }
        if (record_[0] != '*') {
            record_[0] = '*';
            changed_ = true;
        }
    });
}

Status Table::recall() {
    return guarded([&] {
        requireWritable();
        if (eof_) {
            file_.fail(ErrorCode::BadRecordNumber, QStringLiteral("no current record to recall"));
        }
        if (record_[0] != ' ') {
            record_[0] = ' ';
            changed_ = true;
        }
    });
}

}  // namespace vel::xbase
