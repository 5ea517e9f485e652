#include "platform/transfer/ExportCell.h"

#include <QDateTime>
#include <QLocale>

#include <array>
#include <charconv>
#include <cmath>

namespace vel {

namespace {

ExportCell textCell(const QString& text) {
    ExportCell cell;
    if (!text.isEmpty()) {
        cell.kind = ExportCell::Kind::Text;
        cell.text = text;
    }
    return cell;
}

// 10 to the power 0..15 (the decimals a column may have).
constexpr std::array<double, 16> powersOfTen = {1e0, 1e1, 1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                                1e8, 1e9, 1e10, 1e11, 1e12, 1e13, 1e14, 1e15};

double roundTo(double value, int decimals) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double scale = decimals >= 0 && decimals < int(powersOfTen.size())
                             ? powersOfTen[size_t(decimals)]
                             : std::pow(10.0, decimals);
    const double rounded = std::round(value * scale) / scale;
    // Very large values overflow the scaling; they are whole numbers at this size anyway.
    const double result = std::isfinite(rounded) ? rounded : value;
    return result == 0 ? 0.0 : result;  // no "-0"
}

bool isNumeric(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Double:
        case QMetaType::Float:
        case QMetaType::Short:
        case QMetaType::UShort:
        case QMetaType::Long:
        case QMetaType::ULong:
            return true;
        default:
            return false;
    }
}

// The text form of any value, used for text columns and for values that fit no other kind.
QString plainText(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Bool:
            return value.toBool() ? QStringLiteral("Yes") : QStringLiteral("No");
        case QMetaType::QDate:
            return value.toDate().toString(QStringLiteral("yyyy/MM/dd"));
        case QMetaType::QTime:
            return value.toTime().toString(QStringLiteral("hh:mm"));
        case QMetaType::QDateTime:
            return value.toDateTime().toString(QStringLiteral("yyyy/MM/dd hh:mm:ss"));
        case QMetaType::Double:
        case QMetaType::Float:
            return QString::number(value.toDouble(), 'g', 15);
        default:
            return value.toString();
    }
}

std::optional<double> readNumber(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool() ? -1.0 : 0.0;
    }
    if (isNumeric(value)) {
        return value.toDouble();
    }
    if (value.typeId() == QMetaType::QString) {
        bool ok = false;
        const double number = QLocale::c().toDouble(value.toString().trimmed(), &ok);
        if (ok && std::isfinite(number)) {
            return number;
        }
    }
    return std::nullopt;
}

QDate readDate(const QVariant& value) {
    if (value.typeId() == QMetaType::QDate) {
        return value.toDate();
    }
    if (value.typeId() == QMetaType::QDateTime) {
        return value.toDateTime().date();
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        for (const char* format : {"yyyy/MM/dd", "yyyy-MM-dd", "yyyyMMdd", "yyyy/M/d"}) {
            const QDate date = QDate::fromString(text, QLatin1String(format));
            if (date.isValid()) {
                return date;
            }
        }
    }
    return {};
}

QTime readTime(const QVariant& value) {
    if (value.typeId() == QMetaType::QTime) {
        return value.toTime();
    }
    if (value.typeId() == QMetaType::QDateTime) {
        return value.toDateTime().time();
    }
    if (value.typeId() == QMetaType::QString) {
        const QString text = value.toString().trimmed();
        for (const char* format : {"hh:mm", "h:mm", "hh:mm:ss", "h:mm:ss"}) {
            const QTime time = QTime::fromString(text, QLatin1String(format));
            if (time.isValid()) {
                return time;
            }
        }
    }
    return {};
}

std::optional<bool> readBoolean(const QVariant& value) {
    if (value.typeId() == QMetaType::Bool) {
        return value.toBool();
    }
    if (isNumeric(value)) {
        return value.toDouble() != 0;
    }
    const QString text = value.toString().trimmed().toUpper();
    if (text == u"YES" || text == u"Y" || text == u"TRUE" || text == u"T" || text == u"-1" ||
        text == u"1") {
        return true;
    }
    if (text == u"NO" || text == u"N" || text == u"FALSE" || text == u"F" || text == u"0") {
        return false;
    }
    return std::nullopt;
}

bool startsWithLetter(const QString& text) {
    for (const QChar character : text) {
        if (!character.isSpace()) {
            return character.isLetter();
        }
    }
    return false;
}

bool isEmptyValue(const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return true;
    }
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

}  // namespace

ExportCell ExportCell::fromNumber(const ExportColumn& column, double value) {
    ExportCell cell;
    switch (column.kind()) {
        case ExportColumnKind::Integer:
        case ExportColumnKind::Number:
            cell.kind = Kind::Number;
            cell.decimals = column.shownDecimals();
            cell.number = roundTo(value, cell.decimals);
            return cell;
        case ExportColumnKind::Boolean:
            cell.kind = Kind::Boolean;
            cell.boolean = value != 0;
            return cell;
        default:
            return textCell(QString::number(value, 'g', 15));
    }
}

ExportCell ExportCell::fromText(const ExportColumn& column, const QString& value) {
    if (value.isEmpty()) {
        return {};
    }
    const ExportColumnKind kind = column.kind();
    if (kind == ExportColumnKind::Text) {
        return textCell(value);
    }
    if ((kind == ExportColumnKind::Integer || kind == ExportColumnKind::Number) &&
        startsWithLetter(value)) {
        return textCell(value);  // no number starts with a letter (bar infinity, refused too)
    }
    return fromValue(column, QVariant(value));
}

ExportCell ExportCell::fromFlag(const ExportColumn& column, bool value) {
    switch (column.kind()) {
        case ExportColumnKind::Integer:
        case ExportColumnKind::Number:
        case ExportColumnKind::Boolean:
            return fromNumber(column, value ? -1.0 : 0.0);
        default:
            return textCell(value ? QStringLiteral("Yes") : QStringLiteral("No"));
    }
}

ExportCell ExportCell::fromDate(const ExportColumn& column, const QDate& value) {
    if (!value.isValid()) {
        return {};
    }
    if (column.kind() != ExportColumnKind::Date) {
        return fromValue(column, QVariant(value));
    }
    ExportCell cell;
    cell.kind = Kind::Date;
    cell.date = value;
    return cell;
}

ExportCell ExportCell::fromTime(const ExportColumn& column, const QTime& value) {
    if (!value.isValid()) {
        return {};
    }
    if (column.kind() != ExportColumnKind::Time) {
        return fromValue(column, QVariant(value));
    }
    ExportCell cell;
    cell.kind = Kind::Time;
    cell.time = value;
    return cell;
}

ExportCell ExportCell::fromValue(const ExportColumn& column, const QVariant& value) {
    ExportCell cell;
    if (isEmptyValue(value)) {
        return cell;
    }
    if (value.typeId() == QMetaType::Double) {
        return fromNumber(column, value.toDouble());
    }
    if (value.typeId() == QMetaType::QString && column.kind() == ExportColumnKind::Text) {
        return textCell(value.toString());
    }
    if (value.typeId() == QMetaType::QDate && column.kind() == ExportColumnKind::Date) {
        return fromDate(column, value.toDate());
    }
    switch (column.kind()) {
        case ExportColumnKind::Text:
            return textCell(plainText(value));
        case ExportColumnKind::Integer:
        case ExportColumnKind::Number:
            if (const auto number = readNumber(value)) {
                cell.kind = Kind::Number;
                cell.decimals = column.shownDecimals();
                cell.number = roundTo(*number, cell.decimals);
                return cell;
            }
            break;
        case ExportColumnKind::Date:
            if (const QDate date = readDate(value); date.isValid()) {
                cell.kind = Kind::Date;
                cell.date = date;
                return cell;
            }
            break;
        case ExportColumnKind::Time:
            if (const QTime time = readTime(value); time.isValid()) {
                cell.kind = Kind::Time;
                cell.time = time;
                return cell;
            }
            break;
        case ExportColumnKind::Boolean:
            if (const auto boolean = readBoolean(value)) {
                cell.kind = Kind::Boolean;
                cell.boolean = *boolean;
                return cell;
            }
            break;
    }
    return textCell(plainText(value));
}

QString ExportCell::toText() const {
    switch (kind) {
        case Kind::Empty:
            return {};
        case Kind::Text:
            return text;
        case Kind::Number:
            return QString::number(number, 'f', decimals);
        case Kind::Date:
            return date.toString(QStringLiteral("yyyy/MM/dd"));
        case Kind::Time:
            return time.toString(time.second() != 0 ? QStringLiteral("hh:mm:ss")
                                                    : QStringLiteral("hh:mm"));
        case Kind::Boolean:
            return boolean ? QStringLiteral("Yes") : QStringLiteral("No");
    }
    return {};
}

namespace {

// Appends a number already rounded to its decimals as its digits scaled to a whole number:
// below 1e15 once scaled, that whole number is exact, so the digits are those of the fixed
// formatting. Answers false, writing nothing, for numbers beyond that.
bool appendScaled(std::string& out, double number, int decimals) {
    if (decimals < 0 || decimals >= int(powersOfTen.size())) {
        return false;
    }
    const double scaled = number * powersOfTen[size_t(decimals)];
    if (!(std::fabs(scaled) < 1e15)) {
        return false;
    }
    char digits[24];
    char* end = digits + sizeof digits;
    char* at = end;
    auto whole = static_cast<unsigned long long>(std::llabs(std::llround(scaled)));
    for (int place = 0; place < decimals || whole > 0 || place == decimals; ++place) {
        if (place == decimals && decimals > 0) {
            *--at = '.';
        }
        *--at = char('0' + whole % 10);
        whole /= 10;
    }
    if (number < 0) {
        *--at = '-';
    }
    out.append(at, size_t(end - at));
    return true;
}

}  // namespace

void ExportCell::appendUtf8(std::string& out) const {
    char digits[40];
    if (kind == Kind::Number && appendScaled(out, number, decimals)) {
        return;
    }
    if (kind == Kind::Number && std::isfinite(number) && std::fabs(number) < 1e15) {
        // The number is rounded to its decimals already, so no digit is a tie to break: the
        // shortest exact formatting gives the same digits as QString::number.
        const auto written = std::to_chars(digits, digits + sizeof digits, number,
                                           std::chars_format::fixed, decimals);
        if (written.ec == std::errc()) {
            out.append(digits, size_t(written.ptr - digits));
            return;
        }
    }
    if (kind == Kind::Date && date.year() >= 1 && date.year() <= 9999) {
        int year = 0;
        int month = 0;
        int day = 0;
        date.getDate(&year, &month, &day);
        const auto put = [&](char* at, int value, int width) {
            for (int place = width - 1; place >= 0; --place, value /= 10) {
                at[place] = char('0' + value % 10);
            }
        };
        put(digits, year, 4);
        digits[4] = '/';
        put(digits + 5, month, 2);
        digits[7] = '/';
        put(digits + 8, day, 2);
        out.append(digits, 10);
        return;
    }
    const QByteArray text = toText().toUtf8();
    out.append(text.constData(), size_t(text.size()));
}

}  // namespace vel
