// The allocation import against the reference host: adds with accounts, updates, the other
// system's lines, deleting what the file no longer holds, and the new allocations on activities.
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "host/HostTestSupport.h"
#include "maintenance/AllocationImport.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QFile>
#include <gtest/gtest.h>

namespace vel::testing {
namespace {

struct AllocationSite {
    AllocationSite() : scope(ui) {
        ui.setFailureHook([](const QString& failure) { ADD_FAILURE() << failure.toStdString(); });
        system = site.open();
        auto& allocations = system->allocations();
        EXPECT_TRUE(allocations.open());
        allocations.setRecord(1, withCode<AllocationRecord>(QStringLiteral("OLD1")));
        allocations.setRecord(2, withCode<AllocationRecord>(QStringLiteral("KEEP")));
        expectSaved(allocations);
        allocations.close();
        EXPECT_TRUE(system->addAllocationAccount(2));
        auto& activities = system->activities();
        EXPECT_TRUE(activities.open());
        ActivityRecord sometimes = withCode<ActivityRecord>(QStringLiteral("PICK"));
        sometimes.Desc = QStringLiteral("Picking");
        sometimes.Allocate = 1;
        sometimes.Elements[0].Element = 1;
        sometimes.Elements[0].Standard = 90.0F;
        ActivityRecord never = withCode<ActivityRecord>(QStringLiteral("LOAD"));
        never.Desc = QStringLiteral("Loading");
        activities.setRecord(1, sometimes);
        activities.setRecord(2, never);
        expectSaved(activities);
        activities.close();
    }
    QString writeFile(const QByteArray& bytes) {
        const QString path = site.path(QStringLiteral("alloc.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    TestSite site;
    HeadlessUi ui;
    ScopedUi scope;
    std::unique_ptr<ReferenceSystem> system;
};

TEST(AllocationImport, AddsWithAccountsUpdatesDeletesAbsentAndReachesTheActivities) {
    AllocationSite s;
    const QString path = s.writeFile("keep\tKept account\tDC1\n"
                                     "NEW1\tFirst new\t\n"
                                     "NEW2\tSecond new\tdc1\n"
                                     "OTHER\tAnother site\tDC2\n");
    s.ui.answer(QStringLiteral("There are 1 that are currently in Velmor, but were not in the Import file."),
                IDYES);
    s.ui.answer(QStringLiteral("1 records were deleted.  And, 0 could not be deleted"), IDOK);
    s.ui.answer(QStringLiteral("Importing Complete.  There were: \n2 added, 1 updated, 1 deleted, 0 not "
                               "able to be deleted."),
                IDOK);
    AllocationImport import(*s.system);
    AllocationImportRequest request{path, 0, 0, true, true, QStringLiteral("DC1"), {}};
    EXPECT_TRUE(import.run(request));
    EXPECT_EQ(import.counts().skipped, 1) << "the other system's line";
    EXPECT_EQ(import.activitiesChanged(), 1);
    EXPECT_EQ(s.ui.transcript().lines().count(QStringLiteral("status: Adding Allocation to Tallybook")),
              2);

    const auto reader = s.site.open();
    auto& allocations = reader->allocations();
    ASSERT_TRUE(allocations.open());
    EXPECT_EQ(allocations.find(QStringLiteral("OLD1")), 0);
    EXPECT_EQ(allocations.record(allocations.find(QStringLiteral("KEEP"))).Desc, "Kept account");
    const int first = allocations.find(QStringLiteral("NEW1"));
    const int second = allocations.find(QStringLiteral("NEW2"));
    ASSERT_GT(first, 0);
    ASSERT_GT(second, 0);
    EXPECT_GE(reader->allocationAccounts(), qMax(first, second)) << "each new allocation has its account";
    auto& activities = reader->activities();
    ASSERT_TRUE(activities.open());
    const ActivityRecord picking = activities.record(1);
    ASSERT_TRUE(picking.AllocationStandards.contains(second));
    EXPECT_FLOAT_EQ(picking.AllocationStandards.at(second)[0], 90.0F);
    EXPECT_TRUE(activities.record(2).AllocationStandards.empty()) << "an activity that never allocates";
}

TEST(AllocationImport, AFileThatCannotBeReadOrIsCancelledChangesNothing) {
    AllocationSite s;
    s.ui.answer(QStringLiteral("Error opening import file. "), IDOK);
    AllocationImport import(*s.system);
    EXPECT_FALSE(import.run({s.site.path(QStringLiteral("none.txt")), 0, 0, false, false, {}, {}}));
    const QString path = s.writeFile("NEW1,First new\n");
    EXPECT_FALSE(import.run({path, 0, 0, false, false, {}, [](const QStringList&) { return false; }}));
    const auto reader = s.site.open();
    ASSERT_TRUE(reader->allocations().open());
    EXPECT_EQ(reader->allocations().activeCount(), 2);
    EXPECT_EQ(reader->allocationAccounts(), 2);
}

}  // namespace
}  // namespace vel::testing
