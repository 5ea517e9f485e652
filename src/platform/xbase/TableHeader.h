#pragma once
// The header of a dBase III table: version, date of last update, record count, lengths, language
// driver and the field descriptors. Parsing checks every value against the others and the file
// size, so that a damaged file gives a clear error instead of a wrong read.
#include "platform/xbase/FieldDescriptor.h"

#include <QByteArray>
#include <QDate>
#include <QList>

namespace vel::xbase {

class TableHeader {
  public:
    static constexpr int prefixLength = 32;
    static constexpr int descriptorLength = 32;
    static constexpr unsigned char windows1252Driver = 0x03;
    static constexpr char endOfFile = 0x1A;

    // The header length stored in the first 32 bytes (checked for sanity); throws when short.
    static int storedHeaderLength(const QByteArray& prefix, qint64 fileSize, const QString& path);
    // Parses a whole header (storedHeaderLength bytes); throws XbaseError naming the problem.
    static TableHeader parse(const QByteArray& bytes, qint64 fileSize, const QString& path);
    // A header for a new, empty table; throws BadArgument on an unusable field list.
    static TableHeader forNewTable(const QList<FieldDescriptor>& fields, const QString& path);

    QByteArray serialize() const;
    // Bytes 1 to 7: date of last update and record count, the part that writes change.
    QByteArray countAndDate() const;
    void countAndDate(char* bytes) const;

    int fieldIndex(QStringView name) const;
    // Whole records that a file of this size holds after the header.
    quint32 recordsInFileSize(qint64 fileSize) const;
    qint64 recordOffset(quint32 recordNumber) const {
        return headerLength + qint64(recordNumber - 1) * recordLength;
    }

    unsigned char version = 0x03;
    QDate lastUpdate;
    quint32 recordCount = 0;
    int headerLength = 0;
    int recordLength = 0;
    unsigned char languageDriver = windows1252Driver;
    QList<FieldDescriptor> fields;
};

}  // namespace vel::xbase
