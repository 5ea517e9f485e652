#pragma once
// A machine used for travel (a truck, a picker). Active when its code is set.
#include "data/RecordFields.h"

namespace vel {

struct MachineRecord {
    QString Code;
    QString Desc;

    static const Fields<MachineRecord>& fields() {
        using R = MachineRecord;
        static const Fields<R> list{field(QStringLiteral("Code"), &R::Code, 10),
                                    field(QStringLiteral("Desc"), &R::Desc, 30)};
        return list;
    }
    bool operator==(const MachineRecord&) const = default;
};

}  // namespace vel
