#pragma once
// The per-system settings object: named values, grouped in sections, that a system keeps from
// one run to the next. Reads always give text and fall back to a default; writes take a typed
// value and store it as text in the system's own formats.
#include <QDate>
#include <QDateTime>
#include <QLocale>
#include <QString>

namespace vel {

class SettingsObject {
  public:
    virtual ~SettingsObject() = default;

    // Attaches the object to a settings location of the system; false when it cannot be used.
    virtual bool attach(const QString& location) = 0;
    // Selects the section that the following reads and writes address.
    virtual void selectSection(const QString& section) = 0;
    virtual QString section() const = 0;

    // The stored text of a value of the selected section, or defaultText when it has none.
    virtual QString readValue(const QString& value, const QString& defaultText) const = 0;
    // The stored text, or the value's documented default when it was never written.
    virtual QString readValue(const QString& value) const = 0;

    // Stores a value in the selected section; false when it could not be stored.
    virtual bool writeText(const QString& value, const QString& text) = 0;

    bool writeInteger(const QString& value, qint64 number) {
        return writeText(value, QString::number(number));
    }
    bool writeBoolean(const QString& value, bool flag) {
        return writeText(value, flag ? QStringLiteral("True") : QStringLiteral("False"));
    }
    // Shortest text that reads back as the same double, always with a decimal point.
    bool writeDouble(const QString& value, double number) {
        return writeText(value, QString::number(number, 'g', QLocale::FloatingPointShortest));
    }
    // Dates as "YYYY/MM/DD"; an invalid date is refused.
    bool writeDate(const QString& value, const QDate& date) {
        return date.isValid() && writeText(value, date.toString(QStringLiteral("yyyy/MM/dd")));
    }
    // Date-times as "YYYY/MM/DD HH:MM:SS"; an invalid date-time is refused.
    bool writeDateTime(const QString& value, const QDateTime& moment) {
        return moment.isValid() &&
               writeText(value, moment.toString(QStringLiteral("yyyy/MM/dd HH:mm:ss")));
    }

    // Whether a stored text means "on": "True", "Yes", "On" (any case) or a non-zero number.
    static bool isTrue(const QString& text) {
        const QString trimmed = text.trimmed();
        bool isNumber = false;
        const double number = trimmed.toDouble(&isNumber);
        if (isNumber) {
            return number != 0.0;
        }
        return trimmed.compare(u"true", Qt::CaseInsensitive) == 0 ||
               trimmed.compare(u"yes", Qt::CaseInsensitive) == 0 ||
               trimmed.compare(u"on", Qt::CaseInsensitive) == 0;
    }
};

}  // namespace vel
