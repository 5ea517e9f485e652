#pragma once
// A work schedule that associates follow. Active when its code is set.
#include "data/RecordFields.h"

namespace vel {

struct ScheduleRecord {
    QString Code;
    QString Desc;
    QTime StartTime;
    QTime StopTime;

    static const Fields<ScheduleRecord>& fields() {
        using R = ScheduleRecord;
        static const Fields<R> list{field(QStringLiteral("Code"), &R::Code, 10),
                                    field(QStringLiteral("Desc"), &R::Desc, 30),
                                    field(QStringLiteral("StartTime"), &R::StartTime),
                                    field(QStringLiteral("StopTime"), &R::StopTime)};
        return list;
    }
    bool operator==(const ScheduleRecord&) const = default;
};

}  // namespace vel
