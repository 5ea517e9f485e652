#pragma once
// An account that production can be split into. Active when its code is set.
#include "data/RecordFields.h"

namespace vel {

struct AllocationRecord {
    QString Code;
    QString Desc;
    int Sequence = 0;

    static const Fields<AllocationRecord>& fields() {
        static const Fields<AllocationRecord> list{
            field(QStringLiteral("Code"), &AllocationRecord::Code, 10),
            field(QStringLiteral("Desc"), &AllocationRecord::Desc, 30),
            field(QStringLiteral("Sequence"), &AllocationRecord::Sequence, 5)};
        return list;
    }
    bool operator==(const AllocationRecord&) const = default;
};

}  // namespace vel
