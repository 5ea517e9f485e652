#include "platform/transfer/ExportColumn.h"

namespace vel {

std::optional<ExportColumnKind> ExportColumn::kindOf(int typeCode) {
    switch (typeCode) {
    case SmallIntegerCode:
    case IntegerCode:
        return ExportColumnKind::Integer;
    case NumberCode:
    case DecimalCode:
        return ExportColumnKind::Number;
    case DateCode:
        return ExportColumnKind::Date;
    case TextCode:
        return ExportColumnKind::Text;
    case TimeCode:
        return ExportColumnKind::Time;
    case BooleanCode:
        return ExportColumnKind::Boolean;
    default:
        return std::nullopt;
    }
}

QString ExportColumn::problem() const {
    if (position < 1) {
        return QStringLiteral("column %1 has the position %2; positions start at 1")
            .arg(name)
            .arg(position);
    }
    if (name.trimmed().isEmpty()) {
        return QStringLiteral("column %1 has no name").arg(position);
    }
    if (!valueKind && !kindOf(typeCode)) {
        return QStringLiteral("column %1 has the unknown type code %2").arg(name).arg(typeCode);
    }
    if (width < 1 || width > 254) {
        return QStringLiteral("column %1 has the width %2; widths are 1 to 254")
            .arg(name)
            .arg(width);
    }
    if (decimals < 0 || decimals > 15) {
        return QStringLiteral("column %1 has %2 decimals; 0 to 15 are possible")
            .arg(name)
            .arg(decimals);
    }
    return {};
}

}  // namespace vel
