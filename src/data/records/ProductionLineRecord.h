#pragma once
// One line of a production sheet, the fact that every figure of the system comes from: on a date
// an associate worked hours on an activity (in a work center, on an allocation), counted units of
// up to six elements at the standard times in force that day, at a labour cost, and the line's
// work may have been checked for quality. Posting never changes a line; every posted figure can
// be computed again from the lines. Master records are "in use" while a line refers to them.
// Active when Activity is set.
#include "data/RecordFields.h"

namespace vel {

struct ProductionLineRecord {
    static constexpr int ElementEntries = 6;

    QDate Date;
    int Associate = 0;
    int WorkCenter = 0;
    int Activity = 0;
    int Allocation = 0;
    double Hours = 0.0;  // hours worked on the line
    std::array<int, ElementEntries> Element{};
    std::array<double, ElementEntries> Units{};
    // Minutes per unit of each element as the standards table gave them when the line was
    // recorded (activity, allocation, element); 0: the element earns no hours.
    std::array<double, ElementEntries> StdMinutes{};
    double Cost = 0.0;  // labour cost of the hours
    // Quality of the line's work: units audited, and the failed units found by each mistake
    // category (caught by the associate, found at a check, found at an audit).
    double AuditedUnits = 0.0;
    double CatchFailed = 0.0;
    double CheckFailed = 0.0;
    double AuditFailed = 0.0;

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
            addArrayFields(fields, QStringLiteral("StdMinutes"), &R::StdMinutes, 14, 6);
            fields.push_back(field(QStringLiteral("Cost"), &R::Cost, 12, 4));
            fields.push_back(field(QStringLiteral("AuditedUnits"), &R::AuditedUnits, 12, 2));
            fields.push_back(field(QStringLiteral("CatchFailed"), &R::CatchFailed, 12, 2));
            fields.push_back(field(QStringLiteral("CheckFailed"), &R::CheckFailed, 12, 2));
            fields.push_back(field(QStringLiteral("AuditFailed"), &R::AuditFailed, 12, 2));
            return fields;
        }();
        return list;
    }
    bool operator==(const ProductionLineRecord&) const = default;
};

}  // namespace vel
