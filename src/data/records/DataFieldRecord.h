#pragma once
// One data field of the master file: the slot that posted figures update. The table holds one
// record per allocated field; a field is free while InUse is off. Active when InUse is on. The
// level switches tell at which levels the field is recorded.
#include "data/RecordFields.h"

namespace vel {

struct DataFieldRecord {
    QString Desc;
    bool InUse = false;
    bool System = true;
    bool WorkCenter = true;
    bool Associate = true;
    bool Allocation = false;

    static const Fields<DataFieldRecord>& fields() {
        using R = DataFieldRecord;
        static const Fields<R> list{field(QStringLiteral("Desc"), &R::Desc, 50),
                                    field(QStringLiteral("InUse"), &R::InUse),
                                    field(QStringLiteral("System"), &R::System),
                                    field(QStringLiteral("WorkCenter"), &R::WorkCenter),
                                    field(QStringLiteral("Associate"), &R::Associate),
                                    field(QStringLiteral("Allocation"), &R::Allocation)};
        return list;
    }
    bool operator==(const DataFieldRecord&) const = default;
};

}  // namespace vel
