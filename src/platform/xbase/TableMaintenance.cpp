// Table operations on the whole file: create, pack and zap (through a temporary file that
// replaces the table by rename while the table is held exclusively), and the locks.
#include "platform/xbase/Table.h"

#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <algorithm>
#include <cerrno>

namespace vel::xbase {
namespace {

QString temporaryPathFor(const QString& path) {
    return path + QStringLiteral(".%1.tmp").arg(QRandomGenerator::global()->generate(), 8, 16,
                                                QLatin1Char('0'));
}

// A table with a social-security-number column is never readable by others (owner and group
// only, less the umask); a pack keeps whatever mode the table has.
int modeForNewTable(const QList<FieldDescriptor>& fields) {
    const bool personal = std::any_of(fields.begin(), fields.end(), [](const FieldDescriptor& f) {
        return f.name.compare(u"SSN", Qt::CaseInsensitive) == 0;
    });
    return personal ? 0660 : 0666;
}

}  // namespace

Status Table::create(const QString& path, const QList<FieldDescriptor>& fields,
                     FileOperations& operations) {
    return guarded([&] {
        const TableHeader header = TableHeader::forNewTable(fields, path);
        QByteArray bytes = header.serialize();
        bytes.append(TableHeader::endOfFile);
        BinaryFile target(operations, path);
        BinaryFile temporary(operations, temporaryPathFor(path));
        const int error = temporary.open(O_RDWR | O_CREAT | O_EXCL, modeForNewTable(fields));
        if (error != 0) {
            target.failWithErrno(error == ENOENT ? ErrorCode::NotFound : ErrorCode::WriteFailed,
                                 QStringLiteral("create"), error);
        }
        try {
            temporary.writeExactly(0, bytes.constData(), bytes.size());
            temporary.sync();
            // link() publishes the finished file and refuses, atomically, to replace one.
            if (operations.linkFile(temporary.nativePath(), target.nativePath()) != 0) {
                const int linkError = errno;
                if (linkError == EEXIST) {
                    target.fail(ErrorCode::AlreadyExists, QStringLiteral("table exists already"));
                }
                // Folders without hard links: rename, after checking that nothing is there.
                const bool noLinks = linkError == EPERM || linkError == EOPNOTSUPP ||
                                     linkError == ENOSYS || linkError == EMLINK;
                if (!noLinks) {
                    target.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("create"),
                                         linkError);
                }
                if (QFileInfo::exists(path)) {
                    target.fail(ErrorCode::AlreadyExists, QStringLiteral("table exists already"));
                }
                if (operations.renameFile(temporary.nativePath(), target.nativePath()) != 0) {
                    target.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("create"), errno);
                }
            }
        } catch (...) {
            temporary.close();
            operations.removeFile(temporary.nativePath());
            throw;
        }
        temporary.close();
        operations.removeFile(temporary.nativePath());
    });
}

// Writes the kept records to a temporary file, and every open index of them beside its own
// file, then renames them all into place under a journal: a crash before the journal is
// published leaves the old table and indexes, after it the next open finishes the renames.
void Table::replaceFile(quint32 keepCount, bool packDeleted) {
    QByteArray headerBytes(header_.headerLength, '\0');
    file_.readExactly(0, headerBytes.data(), header_.headerLength);
    BinaryFile temporary(operations_, temporaryPathFor(path()));
    const int error = temporary.open(O_RDWR | O_CREAT | O_EXCL, 0666);
    if (error != 0) {
        file_.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("create of the new table"),
                            error);
    }
    std::vector<std::unique_ptr<BinaryFile>> newIndexes;
    const auto removeTemporaries = [&] {
        temporary.close();
        operations_.removeFile(temporary.nativePath());
        for (const auto& index : newIndexes) {
            index->close();
            operations_.removeFile(index->nativePath());
        }
    };
    quint32 kept = 0;
    bool published = false;
    try {
        operations_.copyPermissions(file_.descriptor(), temporary.descriptor());
        const int length = header_.recordLength;
        const quint32 perBlock = quint32(std::max(1, 64 * 1024 / length));
        std::vector<std::vector<char>> keys(indexes_.size());
        std::vector<quint32> numbers;
        QByteArray block;
        QByteArray output;
        qint64 position = header_.headerLength;
        for (quint32 first = 1; first <= keepCount; first += perBlock) {
            const quint32 records = std::min(perBlock, keepCount - first + 1);
            block.resize(qsizetype(records) * length);
            file_.readExactly(header_.recordOffset(first), block.data(), block.size());
            output.clear();
            for (quint32 index = 0; index < records; ++index) {
                const char* record = block.constData() + qsizetype(index) * length;
                if (!packDeleted || record[0] != '*') {
                    output.append(record, length);
                    numbers.push_back(++kept);
                    for (size_t number = 0; number < indexes_.size(); ++number) {
                        const QByteArray key = indexes_[number]->expression().evaluate(record);
                        keys[number].insert(keys[number].end(), key.begin(), key.end());
                    }
                }
            }
            temporary.writeExactly(position, output.constData(), output.size());
            position += output.size();
        }
        const char endMark = TableHeader::endOfFile;
        temporary.writeExactly(position, &endMark, 1);
        TableHeader updated = header_;
        updated.recordCount = kept;
        updated.lastUpdate = QDate::currentDate();
        const QByteArray countAndDate = updated.countAndDate();
        headerBytes.replace(1, countAndDate.size(), countAndDate);
        temporary.writeExactly(0, headerBytes.constData(), headerBytes.size());
        temporary.sync();
        if (!temporary.lock(openLockOffset, 1, true, LockPolicy::failAtOnce())) {
            temporary.fail(ErrorCode::Locked, QStringLiteral("new table is locked"));
        }
        std::vector<std::pair<QString, QString>> renames{{temporary.path(), path()}};
        for (size_t number = 0; number < indexes_.size(); ++number) {
            const NdxIndex& index = *indexes_[number];
            QString indexTemporary;
            const int descriptor =
                NdxIndex::buildBeside(operations_, index.path(), index.expression(),
                                      index.isUnique(), keys[number], numbers, &indexTemporary);
            newIndexes.push_back(std::make_unique<BinaryFile>(operations_, indexTemporary));
            newIndexes.back()->adopt(descriptor);
            renames.emplace_back(indexTemporary, index.path());
        }
        Journal journal(operations_);
        journal.addRenames(path(), renames);
        published = true;
        for (const auto& [from, to] : renames) {
            if (operations_.renameFile(QFile::encodeName(from), QFile::encodeName(to)) != 0) {
                // The journal stays behind (nobody holds it once this object lets it go):
                // the next recovery of the folder finishes the renames.
                const int renameError = errno;
                journal.abandon();
                file_.failWithErrno(ErrorCode::WriteFailed, QStringLiteral("replace"), renameError);
            }
        }
        journal.commit();
    } catch (...) {
        if (!published) {
            removeTemporaries();
        }
        throw;
    }
    file_.adopt(temporary.release());
    for (size_t number = 0; number < indexes_.size(); ++number) {
        indexes_[number]->adoptRebuilt(newIndexes[number]->release());
    }
    lockedRecords_.clear();
    appendLocked_ = fileLocked_ = fileReadLocked_ = false;
    header_.recordCount = kept;
    header_.lastUpdate = QDate::currentDate();
    count_ = kept;
    trimTail_ = false;
    dateWritten_ = true;
    readAheadCount_ = 0;
    wholeTableCached_ = false;
    lastRead_ = 0;
    indexCursorStale_ = true;
    if (count_ > 0 && selected_ < 0) {
        load(1);
    } else if (count_ > 0) {
        index(selected_).first();
        moveInIndex(0);
    } else {
        loadEndOfFile();
        bof_ = true;
    }
}

Status Table::pack() {
    return guarded([&] {
        requireExclusive(QStringLiteral("pack"));
        if (changed_) {
            writeBack();
        }
        replaceFile(count_, true);
    });
}

Status Table::zap() {
    return guarded([&] {
        requireExclusive(QStringLiteral("zap"));
        changed_ = false;
        replaceFile(0, false);
    });
}

void Table::setLockPolicy(const LockPolicy& policy) {
    policy_ = policy;
    for (const auto& index : indexes_) {
        index->setLockPolicy(policy);
    }
}

bool Table::takeRecordLock(quint32 record) {
    if (exclusive_ || fileLocked_ || lockedRecords_.contains(record)) {
        return true;
    }
    if (!file_.lock(recordLockBase + record, 1, true, policy_)) {
        return false;
    }
    lockedRecords_.insert(record);
    return true;
}

void Table::releaseRecordLock(quint32 record) {
    if (lockedRecords_.remove(record) && !fileLocked_) {
        file_.unlock(recordLockBase + record, 1);
    }
}

bool Table::holdsRecordLock(quint32 record) const {
    return exclusive_ || fileLocked_ || lockedRecords_.contains(record);
}

Status Table::lockRecord(quint32 record) {
    return guarded([&] {
        requireOpen();
        if (record == 0 || record > count_) {
            refreshCount();
        }
        if (record == 0 || record > count_) {
            file_.fail(ErrorCode::BadRecordNumber,
                       QStringLiteral("record %1 does not exist").arg(record));
        }
        if (!takeRecordLock(record)) {
            file_.fail(ErrorCode::Locked,
                       QStringLiteral("record %1 is locked by another user").arg(record));
        }
        // What was read before the lock may be old: read the record again.
        if (record == recordNumber_ && !eof_ && !changed_) {
            const bool stale = indexCursorStale_;
            load(record);
            indexCursorStale_ = stale;
        }
    });
}

Status Table::unlockRecord(quint32 record) {
    return guarded([&] {
        requireOpen();
        if (changed_ && record == recordNumber_) {
            writeBack();
        }
        releaseRecordLock(record);
    });
}

Status Table::lockAppend() {
    return guarded([&] {
        requireOpen();
        if (exclusive_ || fileLocked_ || appendLocked_) {
            return;
        }
        if (!file_.lock(recordLockBase, 1, true, policy_)) {
            file_.fail(ErrorCode::Locked, QStringLiteral("another user is appending to the table"));
        }
        appendLocked_ = true;
    });
}

Status Table::lockFile() {
    return guarded([&] {
        requireOpen();
        if (exclusive_ || fileLocked_) {
            return;
        }
        if (!file_.lock(commitLockStart, commitLockLength, true, policy_)) {
            file_.fail(ErrorCode::Locked, QStringLiteral("table is locked by another user"));
        }
        try {
            refreshCount();
        } catch (const XbaseError&) {
            file_.unlock(commitLockStart, commitLockLength);
            throw;
        }
        fileLocked_ = true;
        fileReadLocked_ = false;
        lockedRecords_.clear();  // the file lock covers (and replaced) our record locks
        if (!changed_ && !eof_ && recordNumber_ > 0) {
            load(recordNumber_);
        }
    });
}

Status Table::lockFileShared() {
    return guarded([&] {
        requireOpen();
        if (exclusive_ || fileLocked_ || fileReadLocked_) {
            return;
        }
        if (!file_.lock(commitLockStart, commitLockLength, false, policy_)) {
            file_.fail(ErrorCode::Locked, QStringLiteral("table is being saved by another user"));
        }
        fileReadLocked_ = true;
        refreshCount();
    });
}

Status Table::captureImage(const std::vector<quint32>& records, TableImage* image,
                           bool withRecordBytes) {
    return guarded([&] {
        requireWritable();
        if (!holdsFileLock()) {
            file_.fail(ErrorCode::Locked, QStringLiteral("a journal needs the file lock"));
        }
        refreshCount();
        image->path = path();
        image->recordLength = header_.recordLength;
        image->headerLength = header_.headerLength;
        image->prefix.resize(TableHeader::prefixLength);
        file_.readExactly(0, image->prefix.data(), image->prefix.size());
        image->size = file_.size();
        image->tailOffset = std::min(image->size, header_.recordOffset(count_ + 1));
        image->tail.resize(image->size - image->tailOffset);
        file_.readExactly(image->tailOffset, image->tail.data(), image->tail.size());
        image->records.clear();
        image->recordBytes.clear();
        for (quint32 record : records) {
            if (record >= 1 && record <= count_) {
                image->records.push_back(record);
            }
        }
        if (withRecordBytes) {
            const qsizetype length = header_.recordLength;
            image->recordBytes.resize(qsizetype(image->records.size()) * length);
            char* into = image->recordBytes.data();
            for (quint32 record : image->records) {
                readRecord(record, into);
                into += length;
            }
        }
    });
}

Status Table::unlockAll() {
    return guarded([&] {
        requireOpen();
        if (changed_) {
            writeBack();
        }
        for (const auto& index : indexes_) {
            index->release();  // writes what a held index kept
        }
        if (fileLocked_ || fileReadLocked_) {
            file_.unlock(commitLockStart, commitLockLength);
            fileLocked_ = fileReadLocked_ = false;
            if (!exclusive_) {
                readAheadCount_ = 0;  // others may write the records from now on
            }
        }
        for (quint32 record : std::as_const(lockedRecords_)) {
            file_.unlock(recordLockBase + record, 1);
        }
        lockedRecords_.clear();
        if (appendLocked_) {
            file_.unlock(recordLockBase, 1);
            appendLocked_ = false;
        }
    });
}

}  // namespace vel::xbase
