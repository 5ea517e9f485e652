#pragma once
// A kind of quality failure that quality sheets record. Active when its description is set.
#include "data/RecordFields.h"

namespace vel {

struct MistakeRecord {
    QString Desc;

    static const Fields<MistakeRecord>& fields() {
        static const Fields<MistakeRecord> list{field(QStringLiteral("Desc"), &MistakeRecord::Desc, 30)};
        return list;
    }
    bool operator==(const MistakeRecord&) const = default;
};

}  // namespace vel
