#pragma once
// One stored membership: an associate (record number) in a grouping (a primary grouping below
// 900, or work center W's grouping W + 900). Active while the grouping is set.
#include "data/RecordFields.h"

namespace vel {

struct GroupingMemberRecord {
    int Grouping = 0;
    int Associate = 0;

    static const Fields<GroupingMemberRecord>& fields() {
        using R = GroupingMemberRecord;
        static const Fields<R> list{field(QStringLiteral("Grouping"), &R::Grouping, 5),
                                    field(QStringLiteral("Associate"), &R::Associate, 5)};
        return list;
    }
    bool operator==(const GroupingMemberRecord&) const = default;
};

}  // namespace vel
