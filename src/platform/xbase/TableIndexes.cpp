// The index side of Table: creating, opening, selecting and rebuilding NDX indexes, seeking, and
// moving through the records in index order.
#include "platform/xbase/Table.h"

#include "platform/xbase/CodePage1252.h"
#include "platform/xbase/XbaseError.h"

#include <fcntl.h>
#include <QFileInfo>

namespace vel::xbase {

void Table::gatherKeys(const KeyExpression& key, std::vector<char>& keys,
                       std::vector<quint32>& records) {
    const quint32 count = refreshCount();
    keys.resize(size_t(count) * size_t(key.keyLength()));
    records.resize(count);
    QByteArray buffer(header_.recordLength, ' ');
    for (quint32 record = 1; record <= count; ++record) {
        readRecord(record, buffer.data());
        key.evaluate(buffer.constData(), keys.data() + size_t(record - 1) * key.keyLength());
        records[record - 1] = record;
    }
}

Status Table::createIndex(const QString& path, const QString& expression, bool unique) {
    return guarded([&] {
        requireWritable();
        if (changed_) {
            writeBack();
        }
        KeyExpression key;
        try {
            key = KeyExpression::compile(expression, header_.fields);
        } catch (const XbaseError& error) {
            throw XbaseError(error.code(), fileMessage(path, error.description()));
        }
        const int open = findIndex(path);
        if (open >= 0) {
            closeIndex(open);
        }
        if (!exclusive_) {
            // Replace an index only when no other user has it open.
            BinaryFile existing(operations_, path);
            if (existing.open(O_RDWR) == 0 &&
                !existing.lock(openLockOffset, 1, true, LockPolicy::failAtOnce())) {
                existing.fail(ErrorCode::Locked, QStringLiteral("index is in use by another user"));
            }
        }
        std::vector<char> keys;
        std::vector<quint32> records;
        gatherKeys(key, keys, records);
        operations_.closeFile(
            NdxIndex::build(operations_, path, key, unique, keys, records, false));
        auto index = std::make_unique<NdxIndex>(operations_, path);
        index->open(&header_.fields, exclusive_, readOnly_, policy_);
        indexes_.push_back(std::move(index));
    });
}

Status Table::openIndex(const QString& path, const QString& expectedExpression) {
    return guarded([&] {
        requireOpen();
        auto index = std::make_unique<NdxIndex>(operations_, path);
        index->open(nullptr, exclusive_, readOnly_, policy_);
        if (!expectedExpression.isEmpty() &&
            KeyExpression::canonical(expectedExpression) !=
                KeyExpression::canonical(index->storedExpression())) {
            throw XbaseError(
                ErrorCode::ExpressionMismatch,
                fileMessage(path, QStringLiteral("key expression is \"%1\", "
                                                 "expected \"%2\"")
                                      .arg(index->storedExpression(),
                                           KeyExpression::canonical(expectedExpression))));
        }
        index->compile(header_.fields);
        indexes_.push_back(std::move(index));
    });
}

Status Table::closeIndex(int number) {
    return guarded([&] {
        if (number < 0 || number >= indexCount()) {
            throw XbaseError(ErrorCode::BadArgument,
                             fileMessage(path(), QStringLiteral("no index number %1").arg(number)));
        }
        indexes_.erase(indexes_.begin() + number);
        if (selected_ == number) {
            selected_ = -1;
        } else if (selected_ > number) {
            --selected_;
        }
    });
}

int Table::findIndex(const QString& pathOrName) const {
    for (int number = 0; number < indexCount(); ++number) {
        const QString& indexPath = indexes_[size_t(number)]->path();
        if (indexPath == pathOrName ||
            QFileInfo(indexPath).completeBaseName().compare(pathOrName, Qt::CaseInsensitive) == 0) {
            return number;
        }
    }
    return -1;
}

Status Table::selectIndex(int number) {
    return guarded([&] {
        requireOpen();
        if (number < -1 || number >= indexCount()) {
            file_.fail(ErrorCode::BadArgument, QStringLiteral("no index number %1").arg(number));
        }
        if (changed_) {
            writeBack();
        }
        selected_ = number;
        indexCursorStale_ = true;
    });
}

// Puts the selected index's cursor on the current record's entry.
void Table::positionIndexCursor() {
    NdxIndex& selected = index(selected_);
    const QByteArray key = selected.expression().evaluate(original_.constData());
    if (!selected.find(key.constData(), recordNumber_)) {
        selected.seek(key.constData(), key.size());
    }
    indexCursorStale_ = false;
}

// Moves count entries in the selected index (0: load the entry the cursor is on).
void Table::moveInIndex(qint64 count) {
    NdxIndex& selected = index(selected_);
    qint64 steps = count;
    if (count != 0) {
        if (eof_) {
            if (count > 0) {
                return;
            }
            if (!selected.last()) {
                loadEndOfFile();
                bof_ = true;
                return;
            }
            ++steps;
        } else if (indexCursorStale_ || !selected.onEntry()) {
            positionIndexCursor();
        }
    }
    for (; steps > 0; --steps) {
        if (!selected.next()) {
            loadEndOfFile();
            return;
        }
    }
    for (; steps < 0; ++steps) {
        if (!selected.previous()) {
            const bool any = selected.first();
            if (any) {
                moveInIndex(0);
            } else {
                loadEndOfFile();
            }
            bof_ = true;
            return;
        }
    }
    const quint32 record = selected.record();
    if (record == 0 || record > count_) {
        refreshCount();
    }
    if (record == 0 || record > count_) {
        throw XbaseError(
            ErrorCode::CorruptIndex,
            fileMessage(selected.path(), QStringLiteral("entry points to record %1 of a table with "
                                                        "%2 records")
                                             .arg(record)
                                             .arg(count_)));
    }
    load(record);
    indexCursorStale_ = false;
}

Status Table::seek(QByteArrayView key, SeekResult* result) {
    *result = SeekResult::Eof;
    return guarded([&] {
        requireOpen();
        if (selected_ < 0) {
            file_.fail(ErrorCode::BadArgument, QStringLiteral("seek needs a selected index"));
        }
        if (changed_) {
            writeBack();
        }
        // The count is read again only when the index leads past it or to the end.
        NdxIndex& selected = index(selected_);
        const int length = int(std::min<qsizetype>(key.size(), selected.keyLength()));
        switch (selected.seek(key.data(), length)) {
            case NdxIndex::SeekOutcome::Found:
                moveInIndex(0);
                *result = SeekResult::Found;
                return;
            case NdxIndex::SeekOutcome::After:
                moveInIndex(0);
                *result = SeekResult::After;
                return;
            case NdxIndex::SeekOutcome::End:
                refreshCount();
                loadEndOfFile();
                *result = SeekResult::Eof;
                return;
        }
    });
}

Status Table::seek(const QString& key, SeekResult* result) {
    const QByteArray bytes = CodePage1252::encode(key);
    return seek(QByteArrayView(bytes), result);
}

Status Table::seekPadded(const QString& key, SeekResult* result) {
    *result = SeekResult::Eof;
    if (!isOpen() || selected_ < 0) {
        return seek(QByteArrayView(), result);  // reports why
    }
    QByteArray bytes =
        CodePage1252::encode(key).leftJustified(index(selected_).keyLength(), ' ', true);
    return seek(QByteArrayView(bytes), result);
}

Status Table::reindex(int number) {
    return guarded([&] {
        requireExclusive(QStringLiteral("reindex"));
        if (number < -1 || number >= indexCount()) {
            file_.fail(ErrorCode::BadArgument, QStringLiteral("no index number %1").arg(number));
        }
        if (changed_) {
            writeBack();
        }
        std::vector<char> keys;
        std::vector<quint32> records;
        for (int current = 0; current < indexCount(); ++current) {
            if (number == -1 || number == current) {
                gatherKeys(index(current).expression(), keys, records);
                index(current).rebuild(keys, records);
            }
        }
        indexCursorStale_ = true;
    });
}

}  // namespace vel::xbase
