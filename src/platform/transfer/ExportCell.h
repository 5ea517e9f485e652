#pragma once
// One value of an exported row, converted to what its column holds. A value that does not fit
// the column's kind (a description in a whole-number column, a date that cannot be read) is
// kept as text, so that no output loses what the caller handed over.
#include "platform/transfer/ExportColumn.h"

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

#include <string>

namespace vel {

struct ExportCell {
    enum class Kind { Empty, Text, Number, Date, Time, Boolean };

    Kind kind = Kind::Empty;
    QString text;
    double number = 0;  // already rounded to `decimals`
    int decimals = 0;
    QDate date;
    QTime time;
    bool boolean = false;

    // Converts a caller's value for the column. Booleans in number columns become -1 and 0;
    // texts in number, date, time and Boolean columns are read ("12.5", "2024/03/31", "07:30",
    // "Yes"); null values and empty texts are empty cells.
    static ExportCell fromValue(const ExportColumn& column, const QVariant& value);
    // The cells fromValue makes of a number, a text, a Boolean, a date and a time of day,
    // without a QVariant between.
    static ExportCell fromNumber(const ExportColumn& column, double value);
    static ExportCell fromText(const ExportColumn& column, const QString& value);
    static ExportCell fromFlag(const ExportColumn& column, bool value);
    static ExportCell fromDate(const ExportColumn& column, const QDate& value);
    static ExportCell fromTime(const ExportColumn& column, const QTime& value);

    // The cell as delimited text writes it: numbers with the column's decimals and a "."
    // point, dates "YYYY/MM/DD", times "hh:mm" (":ss" when the seconds are set), Booleans
    // "Yes"/"No". Text is returned as it is (formula protection is the writer's).
    QString toText() const;
    // Appends toText() in UTF-8; numbers and dates are formatted straight into the bytes.
    void appendUtf8(std::string& out) const;
};

}  // namespace vel
