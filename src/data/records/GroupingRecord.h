#pragma once
// A grouping of associates reported together. Active when its code is set. Membership is kept on
// the associate side: an associate belongs to its primary grouping and to the grouping of its home
// work center (work center W owns grouping W + 900); the system object lists the members.
#include "data/RecordFields.h"

namespace vel {

struct GroupingRecord {
    static constexpr int WorkCenterBase = 900;

    QString Code;
    QString Desc;

    static const Fields<GroupingRecord>& fields() {
        using R = GroupingRecord;
        static const Fields<R> list{field(QStringLiteral("Code"), &R::Code, 10),
                                    field(QStringLiteral("Desc"), &R::Desc, 30)};
        return list;
    }
    bool operator==(const GroupingRecord&) const = default;
};

}  // namespace vel
