#pragma once
// One line of a production sheet as the reference host keeps them: on a date an associate worked
// hours on an activity (in a work center, on an allocation) and counted units of up to six
// elements. Master records are "in use" while a line refers to them. Active when Activity is set.
#include "data/RecordFields.h"

namespace vel {

struct ProductionLineRecord {
    static constexpr int ElementEntries = 6;

    QDate Date;
    int Associate = 0;
    int WorkCenter = 0;
    int Activity = 0;
    int Allocation = 0;
    double Hours = 0.0;
    std::array<int, ElementEntries> Element{};
    std::array<double, ElementEntries> Units{};

    static const Fields<ProductionLineRecord>& fields() {
        using R = ProductionLineRecord;
        static const Fields<R> list = [] {
            Fields<R> fields{field(QStringLiteral("Date"), &R::Date),
                             field(QStringLiteral("Associate"), &R::Associate, 5),
                             field(QStringLiteral("WorkCenter"), &R::WorkCenter, 5),
                             field(QStringLiteral("Activity"), &R::Activity, 5),
                             field(QStringLiteral("Allocation"), &R::Allocation, 5),
                             field(QStringLiteral("Hours"), &R::Hours, 10, 4)};
            addArrayFields(fields, QStringLiteral("Element"), &R::Element, 5);
            addArrayFields(fields, QStringLiteral("Units"), &R::Units, 14, 4);
            return fields;
        }();
        return list;
    }
    bool operator==(const ProductionLineRecord&) const = default;
};

}  // namespace vel
