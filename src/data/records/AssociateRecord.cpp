#include "data/records/AssociateRecord.h"

namespace vel {

const Fields<AssociateRecord>& AssociateRecord::fields() {
    using R = AssociateRecord;
    static const Fields<R> list = [] {
        Fields<R> fields{field(QStringLiteral("Code"), &R::Code, 10),
                         field(QStringLiteral("LastName"), &R::LastName, 20),
                         field(QStringLiteral("FirstName"), &R::FirstName, 20),
                         field(QStringLiteral("WorkCenter"), &R::WorkCenter, 5),
                         field(QStringLiteral("Grouping"), &R::Grouping, 5),
                         field(QStringLiteral("Schedule"), &R::Schedule, 5),
                         field(QStringLiteral("SSN"), &R::SSN, 20),
                         field(QStringLiteral("HireDate"), &R::HireDate),
                         field(QStringLiteral("WageRate"), &R::WageRate, 12, 4),
                         field(QStringLiteral("BaseIncentive"), &R::BaseIncentive, 12, 4),
                         field(QStringLiteral("Shift"), &R::Shift, 2),
                         field(QStringLiteral("PerfGoal"), &R::PerfGoal, 10, 2),
                         field(QStringLiteral("OnPayRoll"), &R::OnPayRoll),
                         field(QStringLiteral("PayIncentive"), &R::PayIncentive),
                         field(QStringLiteral("AssociateIncentive"), &R::AssociateIncentive),
                         field(QStringLiteral("LeadIncentive"), &R::LeadIncentive),
                         field(QStringLiteral("SupportIncentive"), &R::SupportIncentive),
                         field(QStringLiteral("InActive"), &R::InActive)};
        addArrayFields(fields, QStringLiteral("Badge"), &R::Badge, 20);
        Fields<R> rest{
            field(QStringLiteral("IncludeinPerf"), &R::IncludeinPerf),
            field(QStringLiteral("IncludeinQuality"), &R::IncludeinQuality),
            field(QStringLiteral("PolicyDate"), &R::PolicyDate),
            field(QStringLiteral("QualityLevel"), &R::QualityLevel, 3),
            field(QStringLiteral("PerformanceLevel"), &R::PerformanceLevel, 3),
            field(QStringLiteral("LastQualityAction"), &R::LastQualityAction, 30),
            field(QStringLiteral("LastPerformanceAction"), &R::LastPerformanceAction, 30),
            field(QStringLiteral("LastTenureRule"), &R::LastTenureRule, 30),
            field(QStringLiteral("ShortTermPerformance"), &R::ShortTermPerformance, 12, 6),
            field(QStringLiteral("LongTermPerformance"), &R::LongTermPerformance, 12, 6),
            field(QStringLiteral("ShortTermExceeded"), &R::ShortTermExceeded),
            field(QStringLiteral("LongTermExceeded"), &R::LongTermExceeded)};
        fields.insert(fields.end(), rest.begin(), rest.end());
        return fields;
    }();
    return list;
}

}  // namespace vel
