#include "platform/xbase/TableHeader.h"

#include "platform/xbase/BinaryFile.h"
#include "platform/xbase/XbaseError.h"

#include <QSet>
#include <QtEndian>

namespace vel::xbase {
namespace {

[[noreturn]] void fail(const QString& path, ErrorCode code, const QString& problem) {
    throw XbaseError(code, fileMessage(path, problem));
}

bool isValidFieldName(const QString& name) {
    if (name.isEmpty() || name.size() > 10 || !name[0].isLetter()) {
        return false;
    }
    for (QChar character : name) {
        const char16_t code = character.unicode();
        const bool allowed = (code >= 'A' && code <= 'Z') || (code >= '0' && code <= '9') ||
                             code == '_' || (code >= 'a' && code <= 'z');
        if (!allowed) {
            return false;
        }
    }
    return true;
}

// Checks the width rules of one field type; returns an empty text when the field is usable.
QString widthProblem(const FieldDescriptor& field) {
    switch (field.type) {
        case FieldType::Character:
            return field.length >= 1 && field.length <= 65535
                       ? QString()
                       : QStringLiteral("width must be 1 to 254");
        case FieldType::Numeric:
            if (field.length < 1 || field.length > 20) {
                return QStringLiteral("width must be 1 to 20");
            }
            if (field.decimals < 0 || (field.decimals > 0 && field.decimals > field.length - 2)) {
                return QStringLiteral("decimals must leave room for the point and a digit");
            }
            return {};
        case FieldType::Date:
            return field.length == 8 ? QString() : QStringLiteral("a date field is 8 wide");
        case FieldType::Logical:
            return field.length == 1 ? QString() : QStringLiteral("a logical field is 1 wide");
    }
    return QStringLiteral("unknown type");
}

bool isKnownType(char type) {
    return type == 'C' || type == 'N' || type == 'D' || type == 'L' || type == 'F';
}

}  // namespace

int TableHeader::storedHeaderLength(const QByteArray& prefix, qint64 fileSize,
                                    const QString& path) {
    if (prefix.size() < prefixLength || fileSize < prefixLength + 1) {
        fail(path, ErrorCode::CorruptHeader,
             QStringLiteral("header is truncated (file has %1 bytes)").arg(fileSize));
    }
    const auto version = static_cast<unsigned char>(prefix[0]);
    if ((version & 0x07) != 3 && (version & 0x07) != 4) {
        fail(path, ErrorCode::CorruptHeader,
             QStringLiteral("not a dBase table (version byte 0x%1)")
                 .arg(version, 2, 16, QLatin1Char('0')));
    }
    const int length = qFromLittleEndian<quint16>(prefix.constData() + 8);
    if (length < prefixLength + 1) {
        fail(path, ErrorCode::CorruptHeader,
             QStringLiteral("header length %1 is too small").arg(length));
    }
    if (length > fileSize) {
        fail(path, ErrorCode::CorruptHeader,
             QStringLiteral("header is truncated (header length %1, file has %2 bytes)")
                 .arg(length)
                 .arg(fileSize));
    }
    return length;
}

TableHeader TableHeader::parse(const QByteArray& bytes, qint64 fileSize, const QString& path) {
    TableHeader header;
    header.headerLength = storedHeaderLength(bytes, fileSize, path);
    if (bytes.size() < header.headerLength) {
        fail(path, ErrorCode::CorruptHeader, QStringLiteral("header is truncated"));
    }
    const auto* raw = reinterpret_cast<const unsigned char*>(bytes.constData());
    header.version = raw[0];
    header.lastUpdate = QDate(1900 + raw[1], raw[2], raw[3]);
    header.recordCount = qFromLittleEndian<quint32>(raw + 4);
    header.recordLength = qFromLittleEndian<quint16>(raw + 10);
    header.languageDriver = raw[29];

    int position = prefixLength;
    int recordPosition = 1;
    QSet<QString> names;
    while (true) {
        if (position >= header.headerLength) {
            fail(path, ErrorCode::CorruptHeader,
                 QStringLiteral("field list has no end mark (0x0D) within the header"));
        }
        if (raw[position] == 0x0D) {
            break;
        }
        if (position + descriptorLength > header.headerLength) {
            fail(path, ErrorCode::CorruptHeader,
                 QStringLiteral("field descriptor at byte %1 is truncated").arg(position));
        }
        const unsigned char* descriptor = raw + position;
        const auto nameLength = qstrnlen(reinterpret_cast<const char*>(descriptor), 11);
        FieldDescriptor field;
        field.name = QString::fromLatin1(reinterpret_cast<const char*>(descriptor), nameLength)
                         .trimmed()
                         .toUpper();
        const char type = char(descriptor[11]);
        if (field.name.isEmpty() || !isValidFieldName(field.name)) {
            fail(path, ErrorCode::CorruptHeader,
                 QStringLiteral("field %1 has an unusable name").arg(header.fields.size() + 1));
        }
        if (!isKnownType(type)) {
            const QString shown =
                type >= 0x20 && type < 0x7F
                    ? QStringLiteral("'%1'").arg(QLatin1Char(type))
                    : QStringLiteral("0x%1").arg(quint8(type), 2, 16, QLatin1Char('0'));
            fail(path, ErrorCode::UnknownFieldType,
                 QStringLiteral("field %1 has the unknown type %2").arg(field.name, shown));
        }
        field.type = type == 'F' ? FieldType::Numeric : static_cast<FieldType>(type);
        field.length = descriptor[16];
        field.decimals = descriptor[17];
        if (field.type == FieldType::Character) {
            field.length += field.decimals * 256;  // wide character fields keep the high byte here
            field.decimals = 0;
        }
        const QString problem = widthProblem(field);
        if (!problem.isEmpty()) {
            fail(path, ErrorCode::CorruptHeader,
                 QStringLiteral("field %1 (%2 %3.%4): %5")
                     .arg(field.name, QString(QLatin1Char(type)))
                     .arg(field.length)
                     .arg(field.decimals)
                     .arg(problem));
        }
        if (names.contains(field.name)) {
            fail(path, ErrorCode::CorruptHeader,
                 QStringLiteral("field %1 appears twice").arg(field.name));
        }
        names.insert(field.name);
        field.offset = recordPosition;
        recordPosition += field.length;
        header.fields.append(field);
        position += descriptorLength;
    }
    if (header.fields.isEmpty()) {
        fail(path, ErrorCode::CorruptHeader, QStringLiteral("table has no fields"));
    }
    if (header.recordLength != recordPosition) {
        fail(path, ErrorCode::CorruptHeader,
             QStringLiteral("record length %1 does not match the fields (%2 bytes)")
                 .arg(header.recordLength)
                 .arg(recordPosition));
    }
    const quint32 held = header.recordsInFileSize(fileSize);
    if (header.recordCount > held) {
        fail(path, ErrorCode::CountMismatch,
             QStringLiteral("header says %1 records but the file size (%2 bytes) holds only %3")
                 .arg(header.recordCount)
                 .arg(fileSize)
                 .arg(held));
    }
    return header;
}

TableHeader TableHeader::forNewTable(const QList<FieldDescriptor>& fields, const QString& path) {
    if (fields.isEmpty() || fields.size() > 255) {
        fail(path, ErrorCode::BadArgument, QStringLiteral("a table needs 1 to 255 fields"));
    }
    TableHeader header;
    header.lastUpdate = QDate::currentDate();
    int recordPosition = 1;
    QSet<QString> names;
    for (FieldDescriptor field : fields) {
        field.name = field.name.toUpper();
        if (!isValidFieldName(field.name)) {
            fail(path, ErrorCode::BadArgument,
                 QStringLiteral("field name \"%1\" is not usable").arg(field.name));
        }
        if (names.contains(field.name)) {
            fail(path, ErrorCode::BadArgument,
                 QStringLiteral("field %1 appears twice").arg(field.name));
        }
        names.insert(field.name);
        if (field.type != FieldType::Numeric) {
            field.decimals = 0;
        }
        QString problem = widthProblem(field);
        if (problem.isEmpty() && field.type == FieldType::Character && field.length > 254) {
            problem = QStringLiteral("width must be 1 to 254");
        }
        if (!problem.isEmpty()) {
            fail(path, ErrorCode::BadArgument,
                 QStringLiteral("field %1: %2").arg(field.name, problem));
        }
        field.offset = recordPosition;
        recordPosition += field.length;
        header.fields.append(field);
    }
    if (recordPosition > 65535) {
        fail(path, ErrorCode::BadArgument, QStringLiteral("record is longer than 65535 bytes"));
    }
    header.recordLength = recordPosition;
    header.headerLength = prefixLength + descriptorLength * int(fields.size()) + 1;
    return header;
}

QByteArray TableHeader::serialize() const {
    QByteArray bytes(headerLength, '\0');
    auto* raw = reinterpret_cast<unsigned char*>(bytes.data());
    raw[0] = version;
    const QByteArray prefix = countAndDate();
    std::copy(prefix.begin(), prefix.end(), bytes.begin() + 1);
    qToLittleEndian<quint16>(quint16(headerLength), raw + 8);
    qToLittleEndian<quint16>(quint16(recordLength), raw + 10);
    raw[29] = languageDriver;
    int position = prefixLength;
    for (const FieldDescriptor& field : fields) {
        const QByteArray name = field.name.toLatin1().left(10);
        std::copy(name.begin(), name.end(), bytes.begin() + position);
        raw[position + 11] = static_cast<unsigned char>(field.type);
        raw[position + 16] = static_cast<unsigned char>(field.length & 0xFF);
        raw[position + 17] = static_cast<unsigned char>(
            field.type == FieldType::Character ? field.length >> 8 : field.decimals);
        position += descriptorLength;
    }
    raw[position] = 0x0D;
    return bytes;
}

QByteArray TableHeader::countAndDate() const {
    QByteArray bytes(7, '\0');
    countAndDate(bytes.data());
    return bytes;
}

void TableHeader::countAndDate(char* bytes) const {
    auto* raw = reinterpret_cast<unsigned char*>(bytes);
    const QDate date = lastUpdate.isValid() ? lastUpdate : QDate::currentDate();
    raw[0] = static_cast<unsigned char>(std::clamp(date.year() - 1900, 0, 255));
    raw[1] = static_cast<unsigned char>(date.month());
    raw[2] = static_cast<unsigned char>(date.day());
    qToLittleEndian<quint32>(recordCount, raw + 3);
}

int TableHeader::fieldIndex(QStringView name) const {
    for (int index = 0; index < fields.size(); ++index) {
        if (fields[index].name.compare(name, Qt::CaseInsensitive) == 0) {
            return index;
        }
    }
    return -1;
}

quint32 TableHeader::recordsInFileSize(qint64 fileSize) const {
    if (recordLength <= 0 || fileSize <= headerLength) {
        return 0;
    }
    const qint64 records = (fileSize - headerLength) / recordLength;
    return records > 0xFFFFFFFFLL ? 0xFFFFFFFFu : quint32(records);
}

}  // namespace vel::xbase
