#pragma once
// An associate (employee). Active when its code is set. The associate belongs to the grouping of
// its home work center (WorkCenter + 900) and to its primary grouping; groupings keep no member
// lists of their own.
#include "data/RecordFields.h"

namespace vel {

struct AssociateRecord {
    static constexpr int Badges = 10;
    static constexpr int BadgeWidth = 20;  // characters of each badge

    QString Code;
    QString LastName;
    QString FirstName;
    int WorkCenter = 0;  // home work-center record number; 0: none
    int Grouping = 0;    // primary grouping record number; 0: none
    int Schedule = 0;    // work-schedule record number; 0: none
    QString SSN;
    QDate HireDate;
    double WageRate = 0.0;
    double BaseIncentive = 0.0;
    int Shift = 0;
    double PerfGoal = 0.0;
    bool OnPayRoll = false;
    bool PayIncentive = false;
    bool AssociateIncentive = false;
    bool LeadIncentive = false;
    bool SupportIncentive = false;
    bool InActive = false;  // audit for no production sheets
    std::array<QString, Badges> Badge;
    bool IncludeinPerf = false;
    bool IncludeinQuality = false;
    QDate PolicyDate;
    // Performance-policy status and performance, kept by the host (read only to editors).
    int QualityLevel = 0;
    int PerformanceLevel = 0;
    QString LastQualityAction;
    QString LastPerformanceAction;
    QString LastTenureRule;
    double ShortTermPerformance = -1.0;  // a fraction; below 0: none recorded
    double LongTermPerformance = -1.0;
    bool ShortTermExceeded = false;
    bool LongTermExceeded = false;

    static const Fields<AssociateRecord>& fields();
    bool operator==(const AssociateRecord&) const = default;
};

}  // namespace vel
