#include "platform/xbase/FieldValues.h"

#include "platform/xbase/CodePage1252.h"
#include "platform/xbase/DecimalText.h"
#include "platform/xbase/XbaseError.h"

#include <algorithm>
#include <cmath>
#include <cstring>

namespace vel::xbase {
namespace {

[[noreturn]] void fail(ErrorCode code, const FieldDescriptor& field, const QString& problem) {
    throw XbaseError(code, QStringLiteral("field %1: %2").arg(field.name, problem));
}

void requireType(const FieldDescriptor& field, FieldType type, const char* what) {
    if (field.type != type) {
        fail(ErrorCode::WrongFieldType, field,
             QStringLiteral("is of type %1, not a %2 field")
                 .arg(QChar(QLatin1Char(char(field.type))))
                 .arg(QLatin1String(what)));
    }
}

// The field's bytes without leading and trailing blanks.
QByteArrayView trimmedBytes(const char* record, const FieldDescriptor& field) {
    const char* begin = record + field.offset;
    const char* end = begin + field.length;
    while (begin < end && (*begin == ' ' || *begin == '\0')) {
        ++begin;
    }
    while (end > begin && (end[-1] == ' ' || end[-1] == '\0')) {
        --end;
    }
    return QByteArrayView(begin, end - begin);
}

}  // namespace

QString FieldValues::text(const char* record, const FieldDescriptor& field) {
    const char* begin = record + field.offset;
    qsizetype length = field.length;
    while (length > 0 && (begin[length - 1] == ' ' || begin[length - 1] == '\0')) {
        --length;
    }
    if (field.type == FieldType::Character) {
        return CodePage1252::decode(begin, length);
    }
    return QString::fromLatin1(trimmedBytes(record, field));
}

std::optional<double> FieldValues::number(const char* record, const FieldDescriptor& field) {
    const QByteArrayView bytes = trimmedBytes(record, field);
    if (bytes.isEmpty()) {
        return std::nullopt;
    }
    if (const auto plain = decimalText::parse(bytes.begin(), bytes.end())) {
        return plain;
    }
    bool ok = false;
    // QByteArray's conversion ignores the process locale: a point is always the separator.
    const double value = QByteArray::fromRawData(bytes.data(), bytes.size()).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return std::nullopt;
    }
    return value;
}

namespace {

// Blanks around [-]digits[.digits]: a number for any reading, checked in one pass over the field
// without converting it.
bool isPlainNumber(const char* begin, const char* end) {
    // Numbers stand right-aligned behind their blanks: skip them eight at a time first.
    constexpr quint64 eightBlanks = 0x2020202020202020ULL;
    for (quint64 word = 0; end - begin >= 8; begin += 8) {
        std::memcpy(&word, begin, 8);
        if (word != eightBlanks) {
            break;
        }
    }
    while (begin < end && *begin == ' ') {
        ++begin;
    }
    while (end > begin && end[-1] == ' ') {
        --end;
    }
    begin += begin < end && *begin == '-' ? 1 : 0;
    const auto isDigit = [](char byte) { return byte >= '0' && byte <= '9'; };
    const char* digits = begin;
    while (begin < end && isDigit(*begin)) {
        ++begin;
    }
    if (begin == digits) {
        return false;
    }
    if (begin < end && *begin == '.') {
        const char* decimals = ++begin;
        while (begin < end && isDigit(*begin)) {
            ++begin;
        }
        return begin == end && begin > decimals;
    }
    return begin == end;
}

}  // namespace

QString FieldValues::problem(const char* record, const FieldDescriptor& field) {
    const char* raw = record + field.offset;
    // Text cannot be damaged, and most numbers are plain: both answer without a conversion.
    if (field.type == FieldType::Character ||
        (field.type == FieldType::Numeric && isPlainNumber(raw, raw + field.length))) {
        return {};
    }
    // Blank as QByteArray::trimmed() sees it: spaces and ASCII white space only.
    if (std::all_of(raw, raw + field.length,
                    [](char byte) { return byte == ' ' || (byte >= '\t' && byte <= '\r'); })) {
        return {};
    }
    switch (field.type) {
        case FieldType::Character:
            return {};
        case FieldType::Numeric:
            return number(record, field) ? QString() : QStringLiteral("is not a number");
        case FieldType::Date:
            return date(record, field).isValid() ? QString() : QStringLiteral("is not a date");
        case FieldType::Logical:
            return QByteArrayView("TtFfYyNn?").contains(raw[0])
                       ? QString()
                       : QStringLiteral("is not a logical");
    }
    return {};
}

QDate FieldValues::date(const char* record, const FieldDescriptor& field) {
    const char* digits = record + field.offset;
    if (field.length != 8) {
        return {};
    }
    int parts[3] = {0, 0, 0};
    const int widths[3] = {4, 2, 2};
    int position = 0;
    for (int part = 0; part < 3; ++part) {
        for (int index = 0; index < widths[part]; ++index, ++position) {
            const char digit = digits[position];
            if (digit < '0' || digit > '9') {
                return {};
            }
            parts[part] = parts[part] * 10 + (digit - '0');
        }
    }
    return QDate(parts[0], parts[1], parts[2]);
}

std::optional<bool> FieldValues::logical(const char* record, const FieldDescriptor& field) {
    switch (record[field.offset]) {
        case 'T':
        case 't':
        case 'Y':
        case 'y':
            return true;
        case 'F':
        case 'f':
        case 'N':
        case 'n':
            return false;
        default:
            return std::nullopt;
    }
}

void FieldValues::assignText(char* record, const FieldDescriptor& field, QStringView text) {
    switch (field.type) {
        case FieldType::Character:
            CodePage1252::encodeInto(text, record + field.offset, field.length);
            return;
        case FieldType::Numeric: {
            const QStringView trimmed = text.trimmed();
            if (trimmed.isEmpty()) {
                assignBlank(record, field);
                return;
            }
            bool ok = false;
            const double value = trimmed.toDouble(&ok);
            if (!ok) {
                fail(ErrorCode::BadArgument, field,
                     QStringLiteral("\"%1\" is not a number").arg(trimmed));
            }
            assignNumber(record, field, value);
            return;
        }
        case FieldType::Date: {
            const QStringView trimmed = text.trimmed();
            if (trimmed.isEmpty()) {
                assignBlank(record, field);
                return;
            }
            QDate date = QDate::fromString(trimmed.toString(), QStringLiteral("yyyyMMdd"));
            if (!date.isValid()) {
                date = QDate::fromString(trimmed.toString(), Qt::ISODate);
            }
            if (!date.isValid()) {
                fail(ErrorCode::BadArgument, field,
                     QStringLiteral("\"%1\" is not a date").arg(trimmed));
            }
            assignDate(record, field, date);
            return;
        }
        case FieldType::Logical: {
            const QString trimmed = text.trimmed().toString().toUpper();
            if (trimmed.isEmpty() || trimmed == QLatin1String("?")) {
                assignLogical(record, field, std::nullopt);
            } else if (trimmed == QLatin1String("T") || trimmed == QLatin1String("Y") ||
                       trimmed == QLatin1String(".T.") || trimmed == QLatin1String("TRUE")) {
                assignLogical(record, field, true);
            } else if (trimmed == QLatin1String("F") || trimmed == QLatin1String("N") ||
                       trimmed == QLatin1String(".F.") || trimmed == QLatin1String("FALSE")) {
                assignLogical(record, field, false);
            } else {
                fail(ErrorCode::BadArgument, field,
                     QStringLiteral("\"%1\" is not a logical value").arg(trimmed));
            }
            return;
        }
    }
}

void FieldValues::assignBytes(char* record, const FieldDescriptor& field, QByteArrayView bytes) {
    requireType(field, FieldType::Character, "character");
    const qsizetype used = std::min<qsizetype>(bytes.size(), field.length);
    std::memcpy(record + field.offset, bytes.data(), size_t(used));
    std::memset(record + field.offset + used, ' ', size_t(field.length - used));
}

QByteArray FieldValues::formatNumber(const FieldDescriptor& field, double value) {
    if (!std::isfinite(value)) {
        fail(ErrorCode::BadArgument, field, QStringLiteral("the value is not a finite number"));
    }
    QByteArray digits;
    if (const auto scaled = decimalText::scaledDigits(value, field.decimals)) {
        char text[20];
        digits = QByteArray(text, decimalText::format(*scaled, field.decimals, text));
    } else {
        digits = QByteArray::number(value, 'f', field.decimals);
    }
    // "-0.00" is stored as "0.00": a rounded negative zero is no negative number.
    if (digits.startsWith('-') && digits.count('0') + digits.count('.') == digits.size() - 1) {
        digits.remove(0, 1);
    }
    const int length = int(digits.size());
    if (length > field.length) {
        fail(ErrorCode::FieldOverflow, field,
             QStringLiteral("%1 does not fit the field (N %2.%3)")
                 .arg(QString::fromLatin1(digits))
                 .arg(field.length)
                 .arg(field.decimals));
    }
    QByteArray formatted(field.length - length, ' ');
    formatted.append(digits);
    return formatted;
}

void FieldValues::assignNumber(char* record, const FieldDescriptor& field, double value) {
    requireType(field, FieldType::Numeric, "numeric");
    if (const auto scaled = decimalText::scaledDigits(value, field.decimals)) {
        // The digits straight into the record, right-aligned; one that does not fit is left to
        // formatNumber, which says so.
        char digits[20];
        const int length = decimalText::format(*scaled, field.decimals, digits);
        if (length <= field.length) {
            char* place = record + field.offset;
            std::memset(place, ' ', size_t(field.length - length));
            std::memcpy(place + field.length - length, digits, size_t(length));
            return;
        }
    }
    const QByteArray formatted = formatNumber(field, value);
    std::memcpy(record + field.offset, formatted.constData(), size_t(field.length));
}

void FieldValues::assignBlank(char* record, const FieldDescriptor& field) {
    std::memset(record + field.offset, ' ', size_t(field.length));
}

void FieldValues::assignDate(char* record, const FieldDescriptor& field, const QDate& date) {
    requireType(field, FieldType::Date, "date");
    if (!date.isValid()) {
        assignBlank(record, field);
        return;
    }
    int year = 0;
    int month = 0;
    int day = 0;
    date.getDate(&year, &month, &day);
    if (year < 1 || year > 9999) {
        fail(ErrorCode::FieldOverflow, field, QStringLiteral("year %1 cannot be stored").arg(year));
    }
    // YYYYMMDD, digit by digit from the right.
    char* place = record + field.offset;
    for (int digit = 7; digit >= 0; --digit) {
        int& part = digit >= 6 ? day : digit >= 4 ? month : year;
        place[digit] = char('0' + part % 10);
        part /= 10;
    }
}

void FieldValues::assignLogical(char* record, const FieldDescriptor& field,
                                std::optional<bool> value) {
    requireType(field, FieldType::Logical, "logical");
    record[field.offset] = value ? (*value ? 'T' : 'F') : '?';
}

}  // namespace vel::xbase
