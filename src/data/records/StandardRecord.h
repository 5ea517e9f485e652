#pragma once
// One allocation standard: the units per hour of one element of an activity on one allocation.
// The references are record numbers, so that renaming a code keeps its standards. A row with
// element 0 only marks the allocation as valid for the activity. Active when Activity is set.
#include "data/RecordFields.h"

namespace vel {

struct StandardRecord {
    int Activity = 0;    // activity record number
    int Allocation = 0;  // allocation record number
    int Element = 0;     // element record number; 0: the allocation's marker row
    float UnitsPerHour = 0.0F;
    float Minutes = 0.0F;  // minutes per unit: 60 / units per hour, 0 when not above 0

    static float minutesFor(float unitsPerHour) {
        return unitsPerHour > 0.0F ? 60.0F / unitsPerHour : 0.0F;
    }

    static const Fields<StandardRecord>& fields() {
        using R = StandardRecord;
        static const Fields<R> list{field(QStringLiteral("Activity"), &R::Activity, 5),
                                    field(QStringLiteral("Allocation"), &R::Allocation, 5),
                                    field(QStringLiteral("Element"), &R::Element, 5),
                                    field(QStringLiteral("UnitsPerHour"), &R::UnitsPerHour, 16, 7),
                                    field(QStringLiteral("Minutes"), &R::Minutes, 16, 7)};
        return list;
    }
    bool operator==(const StandardRecord&) const = default;
};

}  // namespace vel
