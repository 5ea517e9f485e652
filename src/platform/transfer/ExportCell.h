#pragma once
// One value of an exported row, converted to what its column holds. A value that does not fit
// the column's kind (a description in a whole-number column, a date that cannot be read) is
// kept as text, so that no output loses what the caller handed over.
#include "platform/transfer/ExportColumn.h"

#include <QDate>
#include <QString>
#include <QTime>
#include <QVariant>

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

    // The cell as delimited text writes it: numbers with the column's decimals and a "."
    // point, dates "YYYY/MM/DD", times "hh:mm" (":ss" when the seconds are set), Booleans
    // "Yes"/"No". Text is returned as it is (formula protection is the writer's).
    QString toText() const;
};

}  // namespace vel
