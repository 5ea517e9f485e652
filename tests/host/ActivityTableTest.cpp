// The activity table keeps its element slots in its own file and its allocation standards in the
// standards table; both come back after a reopen and change together.
#include "HostTestSupport.h"

#include <QHash>
#include <set>
#include <tuple>

namespace vel::testing {
namespace {

ActivityRecord measuredActivity(const QString& code) {
    ActivityRecord activity;
    activity.Code = code;
    activity.Desc = QStringLiteral("Picking ") + code;
    activity.EarnedHrsCalc = 1;
    activity.HistStartDate = QDate(2024, 1, 8);
    activity.AdditiveAmount = 1.25;
    activity.Lang[1] = QStringLiteral("Préparation");
    activity.Elements[0] = {3,     60.0F / 7.0F, 0.0F,  500.0F, true, false,
                            false, true,         false, false,  11};
    activity.Elements[29] = {5, 120.0F, 1.5F, 1.5F, false, true, true, false, true, true, 12};
    ActivityRecord::SlotStandards standards;
    standards.fill(-1.0F);
    standards[0] = 42.5F;
    standards[29] = 0.0F;
    activity.AllocationStandards[4] = standards;
    standards[0] = 7.125F;
    activity.AllocationStandards[9] = standards;
    return activity;
}

TEST(ActivityTable, KeepsElementSlotsAndAllocationStandardsThroughReopen) {
    TestSite site;
    {
        auto system = site.open();
        auto& activities = system->activities();
        ASSERT_TRUE(activities.open());
        activities.setRecord(1, measuredActivity(QStringLiteral("PICK")));
        ActivityRecord plain;
        plain.Code = QStringLiteral("BREAK");
        activities.setRecord(2, plain);
        EXPECT_TRUE(activities.hasEdits());
        expectSaved(activities);
        EXPECT_FALSE(activities.hasEdits());
    }
    auto system = site.open();
    auto& activities = system->activities();
    ASSERT_TRUE(activities.open());
    EXPECT_EQ(activities.record(1), measuredActivity(QStringLiteral("PICK")));
    EXPECT_EQ(activities.record(1).elementCount(), 2);
    EXPECT_TRUE(activities.record(2).AllocationStandards.empty());

    // The standards table holds a marker row per allocation and a row per element.
    auto& standards = system->standards();
    ASSERT_TRUE(standards.isOpen());
    int rows = 0;
    for (int number = 1; number <= standards.recordCount(); ++number) {
        if (!standards.isActive(number)) {
            continue;
        }
        const StandardRecord row = standards.record(number);
        ++rows;
        EXPECT_EQ(row.Activity, 1);
        if (row.Allocation == 4 && row.Element == 3) {
            EXPECT_FLOAT_EQ(row.UnitsPerHour, 42.5F);
            EXPECT_NEAR(row.Minutes, 60.0 / 42.5, 1e-5);
        }
        if (row.Element == 5) {
            EXPECT_EQ(row.Minutes, 0.0F);  // 0 units per hour gives 0 minutes, not a division
        }
    }
    EXPECT_EQ(rows, 6);
}

TEST(ActivityTable, ChangedStandardsRewriteOnlyTheirActivityAndRemovalDropsThem) {
    TestSite site;
    auto system = site.open();
    auto& activities = system->activities();
    ASSERT_TRUE(activities.open());
    activities.setRecord(1, measuredActivity(QStringLiteral("PICK")));
    activities.setRecord(2, measuredActivity(QStringLiteral("PACK")));
    expectSaved(activities);

    ActivityRecord pack = activities.record(2);
    pack.AllocationStandards.erase(9);
    pack.AllocationStandards[4][0] = 99.0F;
    activities.setRecord(2, pack);
    EXPECT_TRUE(activities.hasEdits());
    activities.cancel();
    EXPECT_EQ(activities.record(2), measuredActivity(QStringLiteral("PACK")));

    activities.setRecord(2, pack);
    expectSaved(activities);
    ASSERT_TRUE(activities.reindex());
    EXPECT_EQ(activities.record(2).AllocationStandards.size(), 1U);
    EXPECT_FLOAT_EQ(activities.record(2).AllocationStandards.at(4)[0], 99.0F);
    EXPECT_EQ(activities.record(1), measuredActivity(QStringLiteral("PICK")));

    ASSERT_TRUE(activities.remove(1, 0));
    expectSaved(activities);
    ASSERT_TRUE(activities.reindex());
    EXPECT_FALSE(activities.isActive(1));
    EXPECT_TRUE(activities.record(1).AllocationStandards.empty());
    int rowsOfFirst = 0;
    for (int number = 1; number <= system->standards().recordCount(); ++number) {
        rowsOfFirst +=
            system->standards().isActive(number) && system->standards().record(number).Activity == 1
                ? 1
                : 0;
    }
    EXPECT_EQ(rowsOfFirst, 0);
}

// The standards rows of the file, as (allocation, element, units per hour) triples.
std::set<std::tuple<int, int, float>> storedStandards(const TestSite& site) {
    std::set<std::tuple<int, int, float>> rows;
    auto reader = site.open();
    EXPECT_TRUE(reader->standards().open());
    for (int number = 1; number <= reader->standards().recordCount(); ++number) {
        const StandardRecord row = reader->standards().record(number);
        if (reader->standards().isActive(number)) {
            rows.emplace(row.Allocation, row.Element, row.UnitsPerHour);
        }
    }
    return rows;
}

TEST(ActivityTable, FailureInEitherFileLeavesBothAsTheyWere) {
    for (const QByteArray& failing : {QByteArray("TBVMSTD"), QByteArray("TBVMACT")}) {
        SCOPED_TRACE(failing.toStdString());
        TestSite site;
        {
            auto system = site.open();
            ASSERT_TRUE(system->activities().open());
            system->activities().setRecord(1, measuredActivity(QStringLiteral("PICK")));
            expectSaved(system->activities());
        }
        const auto standardsBefore = storedStandards(site);
        FileFailingOperations operations(failing);
        auto system = site.open(&operations);
        ASSERT_TRUE(system->activities().open());
        ActivityRecord changed = system->activities().record(1);
        changed.Desc = QStringLiteral("Changed");
        changed.AllocationStandards[4][0] = 1.0F;
        changed.AllocationStandards.erase(9);
        system->activities().setRecord(1, changed);
        EXPECT_FALSE(system->activities().save());
        EXPECT_TRUE(system->activities().lastError().contains(QString::fromLatin1(failing)))
            << system->activities().lastError().toStdString();
        EXPECT_TRUE(system->activities().hasEdits());
        auto reader = site.open();
        ASSERT_TRUE(reader->activities().open());
        EXPECT_EQ(reader->activities().record(1), measuredActivity(QStringLiteral("PICK")));
        EXPECT_EQ(storedStandards(site), standardsBefore);
    }
}

}  // namespace
}  // namespace vel::testing
