#include "platform/transfer/ExportCell.h"

#include <QDateTime>
#include <QLocale>

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

double roundTo(double value, int decimals) {
    if (!std::isfinite(value)) {
        return value;
    }
    const double scale = std::pow(10.0, decimals);
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

bool isEmptyValue(const QVariant& value) {
    if (!value.isValid() || value.isNull()) {
        return true;
    }
    return value.typeId() == QMetaType::QString && value.toString().isEmpty();
}

}  // namespace

ExportCell ExportCell::fromValue(const ExportColumn& column, const QVariant& value) {
    ExportCell cell;
    if (isEmptyValue(value)) {
        return cell;
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

}  // namespace vel
