// Runs of consecutive records read and written with one system call each: a save that rewrites
// thousands of records journals and writes them a run at a time instead of one by one.
#include "platform/xbase/Table.h"

#include "platform/xbase/XbaseError.h"

#include <cstring>

namespace vel::xbase {

void Table::requireRecords(quint32 first, quint32 count) {
    const quint64 last = quint64(first) + count - 1;
    if (first == 0 || count == 0 || last > count_) {
        refreshCount();
    }
    if (first == 0 || count == 0 || last > count_) {
        file_.fail(ErrorCode::BadRecordNumber,
                   QStringLiteral("records %1 to %2 do not exist (the table has %3 records)")
                       .arg(first)
                       .arg(last)
                       .arg(count_));
    }
}

Status Table::readRecords(quint32 first, quint32 count, char* into) {
    return guarded([&] {
        requireOpen();
        requireRecords(first, count);
        const qsizetype length = header_.recordLength;
        const bool cached = (exclusive_ || fileLocked_ || fileReadLocked_) &&
                            first >= readAheadFirst_ &&
                            quint64(first) + count <= quint64(readAheadFirst_) + readAheadCount_;
        if (cached) {
            std::memcpy(into, readAhead_.constData() + qsizetype(first - readAheadFirst_) * length,
                        size_t(count) * size_t(length));
            return;
        }
        file_.readExactly(header_.recordOffset(first), into, qint64(count) * length);
    });
}

Status Table::writeRecords(quint32 first, QByteArrayView records) {
    return guarded([&] {
        requireWritable();
        if (!holdsFileLock()) {
            file_.fail(ErrorCode::Locked,
                       QStringLiteral("writing a run of records needs the file lock"));
        }
        const qsizetype length = header_.recordLength;
        if (records.isEmpty() || records.size() % length != 0) {
            file_.fail(ErrorCode::BadArgument, QStringLiteral("not a run of whole records"));
        }
        const auto count = quint32(records.size() / length);
        if (changed_) {
            writeBack();
        }
        requireRecords(first, count);
        QByteArray before;
        if (!indexes_.empty()) {
            before.resize(records.size());
            file_.readExactly(header_.recordOffset(first), before.data(), before.size());
        }
        file_.writeExactly(header_.recordOffset(first), records.data(), records.size());
        // The records read ahead that the run covers.
        const quint64 cacheEnd = quint64(readAheadFirst_) + readAheadCount_;
        const quint64 from = std::max<quint64>(first, readAheadFirst_);
        const quint64 to = std::min<quint64>(quint64(first) + count, cacheEnd);
        if (readAheadCount_ > 0 && from < to) {
            std::memcpy(readAhead_.data() + qsizetype(from - readAheadFirst_) * length,
                        records.data() + qsizetype(from - first) * length,
                        size_t(to - from) * size_t(length));
        }
        for (quint32 offset = 0; offset < count && !indexes_.empty(); ++offset) {
            updateIndexes(before.constData() + qsizetype(offset) * length,
                          records.data() + qsizetype(offset) * length, first + offset);
        }
        if (!eof_ && recordNumber_ >= first && recordNumber_ - first < count) {
            std::memcpy(record_.data(), records.data() + qsizetype(recordNumber_ - first) * length,
                        size_t(length));
            keepOriginal();
        }
        modified_ = true;
    });
}

}  // namespace vel::xbase
