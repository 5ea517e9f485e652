// The answers of the reference system: where records are used, where removed records' data
// goes, the earned-hours methods still open, the data-field pool and grouping members.
#include "HostTestSupport.h"

namespace vel::testing {
namespace {

ProductionLineRecord line(QDate date, int associate, int activity, int allocation = 0,
                          int element = 0) {
    ProductionLineRecord result;
    result.Date = date;
    result.Associate = associate;
    result.WorkCenter = 1;
    result.Activity = activity;
    result.Allocation = allocation;
    result.Hours = 1.5;
    result.Element[0] = element;
    result.Units[0] = element != 0 ? 120.0 : 0.0;
    return result;
}

// A small site: two work centers, three associates, three activities, two elements, two
// allocations, a type of work with a mistake, and production-sheet lines.
void fillSite(ReferenceSystem& system) {
    auto& centers = system.workCenters();
    ASSERT_TRUE(centers.open());
    centers.setRecord(1, withCode<WorkCenterRecord>(QStringLiteral("RECV")));
    centers.setRecord(2, withCode<WorkCenterRecord>(QStringLiteral("SHIP")));
    centers.setRecord(3, withCode<WorkCenterRecord>(QStringLiteral("IDLE")));
    expectSaved(centers);
    auto& associates = system.associates();
    ASSERT_TRUE(associates.open());
    for (int number = 1; number <= 3; ++number) {
        AssociateRecord associate;
        associate.Code = QStringLiteral("A%1").arg(number);
        associate.WorkCenter = number == 3 ? 2 : 1;
        associate.Grouping = number == 2 ? 5 : 0;
        associates.setRecord(number, associate);
    }
    expectSaved(associates);
    auto& elements = system.elements();
    ASSERT_TRUE(elements.open());
    elements.setRecord(1, withDescription<ElementRecord>(QStringLiteral("Cases")));
    elements.setRecord(2, withDescription<ElementRecord>(QStringLiteral("Lines")));
    elements.setRecord(3, withDescription<ElementRecord>(QStringLiteral("Pallets")));
    expectSaved(elements);
    auto& allocations = system.allocations();
    ASSERT_TRUE(allocations.open());
    allocations.setRecord(1, withCode<AllocationRecord>(QStringLiteral("CUST1")));
    allocations.setRecord(2, withCode<AllocationRecord>(QStringLiteral("CUST2")));
    allocations.setRecord(3, withCode<AllocationRecord>(QStringLiteral("CUST3")));
    expectSaved(allocations);
    auto& types = system.typesOfWork();
    ASSERT_TRUE(types.open());
    TypeOfWorkRecord type;
    type.Code = QStringLiteral("PICK");
    type.Mistake[4] = 2;
    types.setRecord(1, type);
    types.setRecord(2, withCode<TypeOfWorkRecord>(QStringLiteral("IDLE")));
    expectSaved(types);
    auto& activities = system.activities();
    ASSERT_TRUE(activities.open());
    for (int number = 1; number <= 3; ++number) {
        ActivityRecord activity;
        activity.Code = QStringLiteral("ACT%1").arg(number);
        activity.EarnedHrsCalc = number == 2 ? 0 : 1;
        activity.TOW = 1;
        activities.setRecord(number, activity);
    }
    ActivityRecord first = activities.record(1);
    first.Elements[0].Element = 1;
    first.AllocationStandards[2].fill(30.0F);
    activities.setRecord(1, first);
    expectSaved(activities);
    auto& lines = system.productionLines();
    ASSERT_TRUE(lines.open());
    lines.setRecord(1, line(QDate(2024, 3, 11), 1, 1, 0, 2));  // this week (Monday)
    lines.setRecord(2, line(QDate(2024, 3, 10), 2, 1, 1));     // last Sunday
    lines.setRecord(3, line(QDate(2024, 2, 1), 2, 2));
    expectSaved(lines);
}

TEST(SystemRules, RecordsAreInUseWhereLinesOrOtherRecordsReferToThem) {
    TestSite site;
    auto system = site.open();
    fillSite(*system);
    const QString sheet = QStringLiteral(" Production Sheet");
    EXPECT_EQ(system->activities().usedOn(1), sheet);
    EXPECT_EQ(system->activities().usedOn(2), QString()) << "its lines are of closed weeks";
    EXPECT_EQ(system->activities().usedOn(3), QString());
    EXPECT_EQ(system->allocations().usedOn(1), sheet);
    EXPECT_EQ(system->allocations().usedOn(2), QStringLiteral(" Activity"));
    EXPECT_EQ(system->allocations().usedOn(3), QString());
    // Currently active: a line in the current week (Monday to Sunday) of the clock's date.
    EXPECT_EQ(system->associates().usedOn(1), sheet);
    EXPECT_EQ(system->associates().usedOn(2), QString());
    EXPECT_EQ(system->workCenters().usedOn(2), QStringLiteral(" Associate"));
    EXPECT_EQ(system->workCenters().usedOn(3), QString());
    EXPECT_EQ(system->elements().usedOn(1), QStringLiteral(" Activity"));
    EXPECT_EQ(system->elements().usedOn(2), sheet);
    EXPECT_EQ(system->elements().usedOn(3), QString());
    EXPECT_EQ(system->typesOfWork().usedOn(1), QStringLiteral(" Activity"));
    EXPECT_EQ(system->typesOfWork().usedOn(2), QString());
    ASSERT_TRUE(system->mistakes().open());
    system->mistakes().setRecord(2, MistakeRecord{QStringLiteral("Short")});
    EXPECT_EQ(system->mistakes().usedOn(2), QStringLiteral(" Type of Work"));
    ASSERT_TRUE(system->groupings().open());
    system->groupings().setRecord(5, withCode<GroupingRecord>(QStringLiteral("LEADS")));
    EXPECT_EQ(system->groupings().usedOn(5), QStringLiteral(" Associate"));
    EXPECT_EQ(system->activities().usedOn(99), QString());  // no such record
}

TEST(SystemRules, RemovingMovesTheLinesToTheTargetOnSave) {
    TestSite site;
    auto system = site.open();
    fillSite(*system);
    auto& activities = system->activities();
    ASSERT_TRUE(activities.remove(1, 3));
    // Nothing moves before the save, and a cancel forgets the move.
    EXPECT_EQ(system->productionLines().record(1).Activity, 1);
    activities.cancel();
    EXPECT_TRUE(activities.isActive(1));
    ASSERT_TRUE(activities.remove(1, 3));
    expectSaved(activities);

    auto reader = site.open();
    auto& lines = reader->productionLines();
    ASSERT_TRUE(lines.open());
    EXPECT_EQ(lines.record(1).Activity, 3);
    EXPECT_EQ(lines.record(2).Activity, 3);
    ASSERT_TRUE(reader->activities().open());
    EXPECT_FALSE(reader->activities().isActive(1));
    EXPECT_EQ(reader->activities().usedOn(3), QStringLiteral(" Production Sheet"));

    // An associate removed without a target takes its lines with it.
    ASSERT_TRUE(reader->associates().open());
    ASSERT_TRUE(reader->associates().remove(2, 0));
    expectSaved(reader->associates());
    ASSERT_TRUE(lines.reindex());
    EXPECT_TRUE(lines.isActive(1));
    EXPECT_FALSE(lines.isActive(2));
    EXPECT_FALSE(lines.isActive(3));

    // An element's units go to the target element.
    ASSERT_TRUE(reader->elements().open());
    ASSERT_TRUE(reader->elements().remove(2, 3));
    expectSaved(reader->elements());
    ASSERT_TRUE(lines.reindex());
    EXPECT_EQ(lines.record(1).Element[0], 3);
    EXPECT_EQ(lines.record(1).Units[0], 120.0);

    // An element on an activity hands its slot to the target, keeping the slot's standards.
    ActivityRecord third = reader->activities().record(3);
    third.Elements[0].Element = 1;
    third.AllocationStandards[2].fill(30.0F);
    reader->activities().setRecord(3, third);
    expectSaved(reader->activities());
    ASSERT_TRUE(reader->elements().remove(1, 3));
    expectSaved(reader->elements());
    ASSERT_TRUE(reader->activities().reindex());
    EXPECT_EQ(reader->activities().record(3).Elements[0].Element, 3);
    EXPECT_FLOAT_EQ(reader->activities().record(3).AllocationStandards.at(2)[0], 30.0F);
    EXPECT_EQ(reader->elements().usedOn(3), QStringLiteral(" Activity"));
    // Without a target the slot is emptied.
    ASSERT_TRUE(reader->elements().remove(3, 0));
    expectSaved(reader->elements());
    ASSERT_TRUE(reader->activities().reindex());
    EXPECT_EQ(reader->activities().record(3).elementCount(), 0);
    EXPECT_FLOAT_EQ(reader->activities().record(3).AllocationStandards.at(2)[0], -1.0F);
}

TEST(SystemRules, StoredEarnedHoursMethodDecidesWhatAnActivityMayStillBecome) {
    TestSite site;
    auto system = site.open();
    fillSite(*system);
    const QList<int> measured{1, 2, 3, 4, 5, 6};
    EXPECT_EQ(system->earnedHoursMethodsAllowed(1), measured);
    EXPECT_EQ(system->earnedHoursMethodsAllowed(2), QList<int>{0});
    EXPECT_EQ(system->earnedHoursMethodsAllowed(4).size(), 7);  // not saved yet: any method
    // An unsaved change does not open the choice again.
    ActivityRecord second = system->activities().record(2);
    second.EarnedHrsCalc = 3;
    system->activities().setRecord(2, second);
    EXPECT_EQ(system->earnedHoursMethodsAllowed(2), QList<int>{0});
}

TEST(SystemRules, DataFieldPoolAssignsAndFreesFieldsOfTheMasterFile) {
    TestSite site(3);
    auto system = site.open();
    EXPECT_EQ(system->dataFields().maximum(), 3);
    EXPECT_EQ(system->freeDataFieldCount(), 3);
    EXPECT_EQ(system->assignDataField(QStringLiteral("ACT1 Actual Hours")), 1);
    EXPECT_EQ(system->assignDataField(QStringLiteral("ACT1 Earned Hours")), 2);
    EXPECT_EQ(system->assignDataField(QStringLiteral("Cases units")), 3);
    EXPECT_EQ(system->freeDataFieldCount(), 0);
    EXPECT_EQ(system->assignDataField(QStringLiteral("One too many")), 0);
    EXPECT_TRUE(system->releaseDataField(2));
    EXPECT_FALSE(system->releaseDataField(2));
    EXPECT_EQ(system->freeDataFieldCount(), 1);
    expectSaved(system->dataFields());

    auto reader = site.open();
    EXPECT_EQ(reader->freeDataFieldCount(), 1);
    EXPECT_EQ(reader->dataFields().code(3), QStringLiteral("Cases units"));
    EXPECT_EQ(reader->assignDataField(QStringLiteral("Lines units")), 2);
}

TEST(SystemRules, GroupingMembersComeFromTheAssociates) {
    TestSite site;
    auto system = site.open();
    fillSite(*system);
    EXPECT_EQ(system->groupingMembers(901), (QList<int>{1, 2}));
    EXPECT_EQ(system->groupingMembers(902), QList<int>{3});
    EXPECT_EQ(system->groupingMembers(5), QList<int>{2});
    EXPECT_TRUE(system->groupingMembers(0).isEmpty());
}

}  // namespace
}  // namespace vel::testing
