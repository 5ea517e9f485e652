#pragma once
// A counted unit of an activity (cases, lines, travel minutes). Active when its description is
// set. The number entered for it is a quantity, or, for the one standard-type element, a
// standard in minutes per unit or units per hour.
#include "data/RecordFields.h"

namespace vel {

struct ElementRecord {
    enum EntryType { Quantity = 0, Standard = 1 };
    enum StandardUnit { MinutesPerUnit = 0, UnitsPerHour = 1 };
    static constexpr int Languages = 4;

    QString Desc;
    int EntryType = Quantity;
    int StdType = MinutesPerUnit;
    std::array<QString, Languages> Lang;

    static const Fields<ElementRecord>& fields() {
        static const Fields<ElementRecord> list = [] {
            Fields<ElementRecord> fields{field(QStringLiteral("Desc"), &ElementRecord::Desc, 30),
                                         field(QStringLiteral("EntryType"), &ElementRecord::EntryType, 1),
                                         field(QStringLiteral("StdType"), &ElementRecord::StdType, 1)};
            addArrayFields(fields, QStringLiteral("Lang"), &ElementRecord::Lang, 30);
            return fields;
        }();
        return list;
    }
    bool operator==(const ElementRecord&) const = default;
};

}  // namespace vel
