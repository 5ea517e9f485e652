#pragma once
// A work center: a department with its shift and times. Active when its code is set. Work center
// W owns grouping W + 900. TOWValid[t - 1] tells whether type of work t is valid here.
#include "data/RecordFields.h"

namespace vel {

struct WorkCenterRecord {
    static constexpr int TypesOfWork = 99;

    QString Code;
    QString Desc;
    QString Supervisor;
    QString Password;  // authorization password
    QTime StartTime{8, 0};
    QTime StopTime{16, 0};
    int Shift = 0;
    double LowerIndicator = 0.0;
    double UpperIndicator = 0.0;
    bool TouchScreen = false;
    int ButtonColor = 0;  // 0x00BBGGRR
    int Sequence = 0;
    std::array<bool, TypesOfWork> TOWValid{};

    static const Fields<WorkCenterRecord>& fields() {
        using R = WorkCenterRecord;
        static const Fields<R> list = [] {
            Fields<R> fields{field(QStringLiteral("Code"), &R::Code, 10),
                             field(QStringLiteral("Desc"), &R::Desc, 30),
                             field(QStringLiteral("Supervisor"), &R::Supervisor, 30),
                             field(QStringLiteral("Password"), &R::Password, 10),
                             field(QStringLiteral("StartTime"), &R::StartTime),
                             field(QStringLiteral("StopTime"), &R::StopTime),
                             field(QStringLiteral("Shift"), &R::Shift, 5),
                             field(QStringLiteral("LowerIndicator"), &R::LowerIndicator, 10, 2),
                             field(QStringLiteral("UpperIndicator"), &R::UpperIndicator, 10, 2),
                             field(QStringLiteral("TouchScreen"), &R::TouchScreen),
                             field(QStringLiteral("ButtonColor"), &R::ButtonColor, 10),
                             field(QStringLiteral("Sequence"), &R::Sequence, 5)};
            addArrayFields(fields, QStringLiteral("TOWValid"), &R::TOWValid);
            return fields;
        }();
        return list;
    }
    bool operator==(const WorkCenterRecord&) const = default;
};

}  // namespace vel
