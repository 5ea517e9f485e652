#include "platform/xbase/TableChecker.h"

#include "platform/xbase/BinaryFile.h"
#include "platform/xbase/FieldValues.h"
#include "platform/xbase/Table.h"
#include "platform/xbase/XbaseError.h"

#include <QFileInfo>
#include <map>

namespace vel::xbase {

Status TableChecker::checkTable(const QString& path) const {
    Table table(operations_);
    Status status = table.open(path, OpenOptions::readOnlyShared());
    if (!status.ok()) {
        return status;
    }
    return guarded([&] {
        // Whole records after the header's count are an append that never finished: they do
        // not count, and the next append writes over them. A count beyond the file fails open.
        for (Status moved = table.goTop(); !table.eof(); moved = table.skip()) {
            if (!moved.ok()) {
                throw XbaseError(moved.code(), moved.message());
            }
            const QByteArray& record = table.recordBytes();
            if (record[0] != ' ' && record[0] != '*') {
                throw XbaseError(
                    ErrorCode::CorruptHeader,
                    fileMessage(path, QStringLiteral("record %1 has the unknown "
                                                     "deletion mark 0x%2")
                                          .arg(table.recordNumber())
                                          .arg(quint8(record[0]), 2, 16, QLatin1Char('0'))));
            }
            for (const FieldDescriptor& field : table.fields()) {
                const QString problem = FieldValues::problem(record.constData(), field);
                if (!problem.isEmpty()) {
                    throw XbaseError(
                        ErrorCode::CorruptHeader,
                        fileMessage(path,
                                    QStringLiteral("record %1 field %2: \"%3\" %4")
                                        .arg(table.recordNumber())
                                        .arg(field.name,
                                             QString::fromLatin1(
                                                 record.mid(field.offset, field.length).trimmed()),
                                             problem)));
                }
            }
        }
    });
}

Status TableChecker::checkIndex(const QString& tablePath, const QString& indexPath) const {
    Table table(operations_);
    Status status = table.open(tablePath, OpenOptions::readOnlyShared());
    if (!status.ok()) {
        return status;
    }
    return guarded([&] {
        NdxIndex index(operations_, indexPath);
        index.open(&table.fields(), false, true, LockPolicy::failAtOnce());
        const quint32 count = table.recordCount();
        const int keyLength = index.keyLength();
        std::multimap<quint32, QByteArray> entries;
        QByteArray previous;
        index.visit([&](const char* key, quint32 record) {
            const QByteArray current(key, keyLength);
            if (!previous.isNull() && previous > current) {
                throw XbaseError(ErrorCode::CorruptIndex,
                                 fileMessage(indexPath, QStringLiteral("key \"%1\" comes after "
                                                                       "\"%2\": out of order")
                                                            .arg(QString::fromLatin1(current),
                                                                 QString::fromLatin1(previous))));
            }
            if (record == 0 || record > count) {
                throw XbaseError(ErrorCode::CorruptIndex,
                                 fileMessage(indexPath, QStringLiteral("entry points to record "
                                                                       "%1; the table has %2")
                                                            .arg(record)
                                                            .arg(count)));
            }
            previous = current;
            entries.emplace(record, current);
        });
        std::map<QByteArray, bool> keysPresent;
        for (const auto& entry : entries) {
            keysPresent[entry.second] = true;
        }
        for (Status moved = table.goTop(); !table.eof(); moved = table.skip()) {
            if (!moved.ok()) {
                throw XbaseError(moved.code(), moved.message());
            }
            const quint32 record = table.recordNumber();
            const QByteArray key = index.expression().evaluate(table.recordBytes().constData());
            const auto [first, last] = entries.equal_range(record);
            bool found = false;
            for (auto entry = first; entry != last; ++entry) {
                if (entry->second != key) {
                    throw XbaseError(
                        ErrorCode::CorruptIndex,
                        fileMessage(indexPath, QStringLiteral("entry for record %1 has key "
                                                              "\"%2\" but the record's key is "
                                                              "\"%3\"")
                                                   .arg(record)
                                                   .arg(QString::fromLatin1(entry->second),
                                                        QString::fromLatin1(key))));
                }
                found = true;
            }
            const bool excusedByUnique = index.isUnique() && keysPresent.count(key);
            if (!found && !table.isDeleted() && !excusedByUnique) {
                throw XbaseError(ErrorCode::CorruptIndex,
                                 fileMessage(indexPath, QStringLiteral("record %1 (key \"%2\") "
                                                                       "is missing")
                                                            .arg(record)
                                                            .arg(QString::fromLatin1(key))));
            }
        }
    });
}

}  // namespace vel::xbase
