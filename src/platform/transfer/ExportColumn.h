#pragma once
// One column of an exported table: its position (from 1), name, type code, width and decimals.
// The type codes: 3 and 4 whole numbers, 6 and 7 numbers with decimals, 8 date, 9 text, 10 time
// of day, and 11 a Boolean (yes/no) column. A column may name the kind of its values itself
// (valueKind), for a field whose code its readers expect but whose values are of another kind,
// such as a length code in a field of code 8.
#include <QString>

#include <optional>

namespace vel {

enum class ExportColumnKind { Text, Integer, Number, Date, Time, Boolean };

struct ExportColumn {
    static constexpr int SmallIntegerCode = 3;
    static constexpr int IntegerCode = 4;
    static constexpr int NumberCode = 6;
    static constexpr int DecimalCode = 7;
    static constexpr int DateCode = 8;
    static constexpr int TextCode = 9;
    static constexpr int TimeCode = 10;
    static constexpr int BooleanCode = 11;

    int position = 0;
    QString name;
    int typeCode = TextCode;
    int width = 10;
    int decimals = 0;
    std::optional<ExportColumnKind> valueKind;  // overrides the kind of the type code

    // The kind of values a type code stands for; none for an unknown code.
    static std::optional<ExportColumnKind> kindOf(int typeCode);
    ExportColumnKind kind() const {
        return valueKind.value_or(kindOf(typeCode).value_or(ExportColumnKind::Text));
    }
    // Decimals shown for the column: the declared ones for numbers, 0 for whole numbers.
    int shownDecimals() const { return kind() == ExportColumnKind::Number ? decimals : 0; }
    // Why the definition cannot be used, or empty when it can.
    QString problem() const;
};

}  // namespace vel
