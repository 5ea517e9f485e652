#pragma once
// A type of work: a group of activities carrying quality settings. Active when its code is set.
// The work centers where it is valid are kept on the work-center side (WorkCenterRecord::TOWValid).
#include "data/RecordFields.h"

namespace vel {

struct TypeOfWorkRecord {
    static constexpr int Languages = 4;
    static constexpr int Mistakes = 30;
    // Mistake categories, in the order of the category arrays.
    enum Category { Catch = 0, Check = 1, Audit = 2 };
    static constexpr int Categories = 3;
    // The quality data fields, in the order of QualityField: auditable units, auditable hours,
    // accuracy base units, audited units, total failure cost, total failure hours.
    static constexpr int QualityFields = 6;

    QString Code;
    QString Desc;
    bool ShowUnits = false;
    bool TrackQuality = false;
    double FailHours = 0.0;  // hours per failure unit
    double FailCost = 0.0;   // cost per failure unit
    std::array<bool, Categories> CategoryEnabled{};
    std::array<double, Categories> CategoryHours{};
    std::array<double, Categories> CategoryCost{};
    std::array<int, Mistakes> Mistake{};  // valid mistakes by record number; 0: empty
    std::array<QString, Languages> Lang;
    bool Kiosk = false;
    int KioskColor = 0;  // 0x00BBGGRR
    int Sequence = 0;
    std::array<int, QualityFields> QualityField{};  // data-field numbers; 0: none

    static const Fields<TypeOfWorkRecord>& fields() {
        using R = TypeOfWorkRecord;
        static const Fields<R> list = [] {
            Fields<R> fields{field(QStringLiteral("Code"), &R::Code, 10),
                             field(QStringLiteral("Desc"), &R::Desc, 30),
                             field(QStringLiteral("ShowUnits"), &R::ShowUnits),
                             field(QStringLiteral("TrackQuality"), &R::TrackQuality),
                             field(QStringLiteral("FailHours"), &R::FailHours, 12, 4),
                             field(QStringLiteral("FailCost"), &R::FailCost, 12, 4)};
            addArrayFields(fields, QStringLiteral("CategoryEnabled"), &R::CategoryEnabled);
            addArrayFields(fields, QStringLiteral("CategoryHours"), &R::CategoryHours, 12, 4);
            addArrayFields(fields, QStringLiteral("CategoryCost"), &R::CategoryCost, 12, 4);
            addArrayFields(fields, QStringLiteral("Mistake"), &R::Mistake, 5);
            addArrayFields(fields, QStringLiteral("Lang"), &R::Lang, 30);
            fields.push_back(field(QStringLiteral("Kiosk"), &R::Kiosk));
            fields.push_back(field(QStringLiteral("KioskColor"), &R::KioskColor, 10));
            fields.push_back(field(QStringLiteral("Sequence"), &R::Sequence, 5));
            addArrayFields(fields, QStringLiteral("QualityField"), &R::QualityField, 5);
            return fields;
        }();
        return list;
    }
    bool operator==(const TypeOfWorkRecord&) const = default;
};

}  // namespace vel
