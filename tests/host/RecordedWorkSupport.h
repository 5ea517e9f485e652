#pragma once
// A small recorded site for the recorded-work tests: two types of work (the first tracks
// quality), a measured activity with two elements and customer standards, an unmeasured one
// left out of the performance policy, data fields 1-12 in use, and three lines whose figures
// are worked out by hand in RecordedWorkTest.cpp.
#include "HostTestSupport.h"

#include "data/RecordedWork.h"

namespace vel::testing {

inline ActivityRecord measuredActivity() {
    ActivityRecord activity;
    activity.Code = QStringLiteral("PICK");
    activity.Desc = QStringLiteral("Picking");
    activity.TOW = 1;
    activity.EarnedHrsCalc = 1;
    activity.FldHoursto = 1;
    activity.FldEarnedto = 2;
    activity.FldCostto = 5;
    activity.Elements[0].Element = 1;
    activity.Elements[0].Standard = 60.0F;  // 1 minute a unit
    activity.Elements[0].UseUnits = true;
    activity.Elements[0].UnitsField = 3;
    activity.Elements[1].Element = 2;
    activity.Elements[1].Standard = 30.0F;  // 2 minutes a unit
    activity.Elements[1].UnitsField = 4;
    ActivityRecord::SlotStandards customer;
    customer.fill(-1.0F);
    customer[0] = 120.0F;  // half a minute a unit for allocation 2; element 2 keeps its own
    activity.AllocationStandards[2] = customer;
    return activity;
}

inline ActivityRecord unmeasuredActivity() {
    ActivityRecord activity;
    activity.Code = QStringLiteral("MEET");
    activity.Desc = QStringLiteral("Meeting");
    activity.TOW = 2;
    activity.ExcludeFromPPA = true;
    activity.FldHoursto = 6;
    return activity;
}

// Line 1 (Monday 4 March): associate 1, 2 hours, 100 + 20 units, audited with failures.
// Line 2 (Tuesday 5 March): associate 2 on allocation 2, 1 hour, 90 units at half a minute.
// Line 3 (Tuesday 12 March): associate 1 in work center 2, 3 hours of meeting.
inline std::vector<ProductionLineRecord> sampleLines() {
    ProductionLineRecord first;
    first.Date = QDate(2024, 3, 4);
    first.Associate = 1;
    first.WorkCenter = 1;
    first.Activity = 1;
    first.Hours = 2.0;
    first.Element = {1, 2};
    first.Units = {100.0, 20.0};
    first.StdMinutes = {1.0, 2.0};
    first.Cost = 30.0;
    first.AuditedUnits = 50.0;
    first.CatchFailed = 1.0;
    first.AuditFailed = 2.0;
    ProductionLineRecord second;
    second.Date = QDate(2024, 3, 5);
    second.Associate = 2;
    second.WorkCenter = 1;
    second.Activity = 1;
    second.Allocation = 2;
    second.Hours = 1.0;
    second.Element = {1};
    second.Units = {90.0};
    second.StdMinutes = {0.5};
    second.Cost = 15.0;
    ProductionLineRecord third;
    third.Date = QDate(2024, 3, 12);
    third.Associate = 1;
    third.WorkCenter = 2;
    third.Activity = 2;
    third.Hours = 3.0;
    third.Cost = 45.0;
    return {first, second, third};
}

// Writes the master records of the sample site into an open system.
inline void writeSampleMasters(ReferenceSystem& system) {
    auto& types = system.typesOfWork();
    ASSERT_TRUE(types.open());
    TypeOfWorkRecord quality = withCode<TypeOfWorkRecord>(QStringLiteral("PICK"));
    quality.TrackQuality = true;
    quality.FailHours = 0.5;
    quality.FailCost = 10.0;
    quality.QualityField = {7, 8, 9, 10, 11, 12};
    types.setRecord(1, quality);
    types.setRecord(2, withCode<TypeOfWorkRecord>(QStringLiteral("INDR")));
    expectSaved(types);
    types.close();
    auto& fields = system.dataFields();
    ASSERT_TRUE(fields.open());
    for (int number = 1; number <= 12; ++number) {
        DataFieldRecord field;
        field.Desc = QStringLiteral("Field %1").arg(number);
        field.InUse = true;
        field.Allocation = number == 1;  // only actual hours are kept per allocation
        fields.setRecord(number, field);
    }
    expectSaved(fields);
    fields.close();
    auto& activities = system.activities();
    ASSERT_TRUE(activities.open());
    activities.setRecord(1, measuredActivity());
    activities.setRecord(2, unmeasuredActivity());
    expectSaved(activities);
    activities.close();
}

}  // namespace vel::testing
