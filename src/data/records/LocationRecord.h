#pragma once
// A location of the site for travel-time calculations, with its coordinates. Active when its
// code is set.
#include "data/RecordFields.h"

namespace vel {

struct LocationRecord {
    QString Code;
    QString Desc;
    double X = 0.0;
    double Y = 0.0;
    double Z = 0.0;

    static const Fields<LocationRecord>& fields() {
        using R = LocationRecord;
        static const Fields<R> list{
            field(QStringLiteral("Code"), &R::Code, 10),
            field(QStringLiteral("Desc"), &R::Desc, 30), field(QStringLiteral("X"), &R::X, 12, 3),
            field(QStringLiteral("Y"), &R::Y, 12, 3), field(QStringLiteral("Z"), &R::Z, 12, 3)};
        return list;
    }
    bool operator==(const LocationRecord&) const = default;
};

}  // namespace vel
