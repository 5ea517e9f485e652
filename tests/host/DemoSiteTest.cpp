// The demo site: what it holds, that it is the same every time, and that its files are sound
// xBase tables.
#include "HostTestSupport.h"

#include "host/DemoSite.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <iostream>
#include <set>

namespace vel::testing {
namespace {

const QDate demoToday(2024, 3, 13);  // the Wednesday of fixedNow()

class DemoSiteTest : public ::testing::Test {
  protected:
    void SetUp() override {
        QString error;
        ASSERT_TRUE(createDemoSite(directory.path(), DemoSize::Small, &error, demoToday))
            << error.toStdString();
        system = std::make_unique<ReferenceSystem>(directory.path(), 1,
                                                   ReferenceSystemOptions{fixedNow});
        system->errors().setEchoToStandardError(false);
    }

    QTemporaryDir directory;
    std::unique_ptr<ReferenceSystem> system;
};

// The tables of one system in a folder, by file name.
QStringList tableFiles(const QString& folder) {
    return QDir(folder).entryList({QStringLiteral("*.--1")}, QDir::Files, QDir::Name);
}

// Opens the table, checks its active count, and that it has a record in use and one free.
void expectCountAndUse(TableObject& table, int expectedCount) {
    SCOPED_TRACE(table.name().toStdString());
    ASSERT_TRUE(table.open()) << table.lastError().toStdString();
    EXPECT_EQ(table.activeCount(), expectedCount);
    int used = 0;
    int free = 0;
    for (int number = 1; number <= table.recordCount(); ++number) {
        if (table.isActive(number)) {
            (table.usedOn(number).isEmpty() ? free : used) += 1;
        }
    }
    EXPECT_GT(used, 0);
    EXPECT_GT(free, 0);
}

TEST_F(DemoSiteTest, SmallSiteHasItsRecordsWithSomeInUseAndSomeFree) {
    expectCountAndUse(system->workCenters(), 8);
    expectCountAndUse(system->typesOfWork(), 11);
    expectCountAndUse(system->mistakes(), 12);
    expectCountAndUse(system->elements(), 11);
    expectCountAndUse(system->activities(), 40);
    expectCountAndUse(system->allocations(), 30);
    EXPECT_EQ(system->allocationAccounts(), 30) << "every allocation has its account";
    expectCountAndUse(system->associates(), 120);
    expectCountAndUse(system->groupings(), 8);
    expectCountAndUse(system->schedules(), 5);
    expectCountAndUse(system->locations(), 24);
    expectCountAndUse(system->machines(), 6);
    EXPECT_GT(system->elements().find(QStringLiteral("Travel Minutes")), 0);
    EXPECT_EQ(system->elements().code(system->elements().find(QStringLiteral("Travel Minutes"))),
              QStringLiteral("Travel Minutes"));

    const SystemFeatures features = system->features();
    EXPECT_TRUE(features.mistakeTracking);
    EXPECT_TRUE(features.quality);
    EXPECT_TRUE(features.xyz);
    EXPECT_FALSE(features.corporateSystem);
    EXPECT_EQ(system->maximumAllocations(), 999);
    EXPECT_EQ(system->masterfile().titles().value(0),
              QStringLiteral("Riverside Distribution Center"));
}

TEST_F(DemoSiteTest, ActivitiesUseEveryMethodAndConsistentStandards) {
    auto& activities = system->activities();
    ASSERT_TRUE(activities.open());
    auto& elements = system->elements();
    ASSERT_TRUE(elements.open());
    ASSERT_TRUE(system->allocations().open());
    const int travel = elements.find(QStringLiteral("Travel Minutes"));
    std::set<int> methods;
    int withAllocations = 0;
    int unsetStandards = 0;
    int setStandards = 0;
    for (int number = 1; number <= activities.recordCount(); ++number) {
        const ActivityRecord activity = activities.record(number);
        SCOPED_TRACE(activity.Code.toStdString());
        methods.insert(activity.EarnedHrsCalc);
        EXPECT_LE(activity.Desc.size(), 30);
        for (size_t slot = 0; slot < activity.Elements.size(); ++slot) {
            const ActivityElementSlot& element = activity.Elements[slot];
            if (element.isEmpty()) {
                continue;
            }
            EXPECT_TRUE(elements.isActive(element.Element));
            (element.Standard > 0.0F ? setStandards : unsetStandards) += 1;
            if (element.Element == travel) {
                EXPECT_EQ(element.Standard, -1.0F);
            }
        }
        if (!activity.AllocationStandards.empty()) {
            ++withAllocations;
            EXPECT_GT(activity.Allocate, 0);
        }
        for (const auto& [allocation, standards] : activity.AllocationStandards) {
            EXPECT_TRUE(system->allocations().isActive(allocation));
            for (size_t slot = 0; slot < standards.size(); ++slot) {
                if (activity.Elements[slot].isEmpty()) {
                    EXPECT_EQ(standards[slot], -1.0F);
                }
            }
        }
        if (activity.UseXYZ) {
            EXPECT_TRUE(system->locations().isOpen() || system->locations().open());
            EXPECT_TRUE(system->machines().isOpen() || system->machines().open());
            EXPECT_GT(system->locations().find(activity.StartLocCode), 0);
            EXPECT_GT(system->machines().find(activity.MachineCode), 0);
        }
    }
    EXPECT_EQ(methods, (std::set<int>{0, 1, 2, 3, 4, 5, 6}));
    EXPECT_GT(withAllocations, 5);
    EXPECT_GT(setStandards, 0);
    EXPECT_GT(unsetStandards, 0);
}

TEST_F(DemoSiteTest, ProductionLinesCoverFourWeeksOfValidWork) {
    auto& lines = system->productionLines();
    ASSERT_TRUE(lines.open()) << lines.lastError().toStdString();
    auto& activities = system->activities();
    auto& centers = system->workCenters();
    auto& associates = system->associates();
    ASSERT_TRUE(activities.open() && centers.open() && associates.open());
    EXPECT_GE(lines.activeCount(), 200);
    EXPECT_LE(lines.activeCount(), 800);
    std::set<QDate> dates;
    for (int number = 1; number <= lines.recordCount(); ++number) {
        const ProductionLineRecord line = lines.record(number);
        dates.insert(line.Date);
        ASSERT_TRUE(activities.isActive(line.Activity));
        ASSERT_TRUE(associates.isActive(line.Associate));
        ASSERT_TRUE(centers.isActive(line.WorkCenter));
        const ActivityRecord activity = activities.record(line.Activity);
        // The activity's type of work is valid in the work center of the line.
        EXPECT_TRUE(centers.record(line.WorkCenter).TOWValid[size_t(activity.TOW - 1)]);
        EXPECT_GT(line.Hours, 0.0);
        if (line.Allocation != 0) {
            EXPECT_EQ(activity.AllocationStandards.count(line.Allocation), 1U);
        } else {
            EXPECT_NE(activity.Allocate, 2) << "an always-allocated activity without account";
        }
        for (size_t entry = 0; entry < line.Element.size(); ++entry) {
            if (line.Element[entry] != 0) {
                EXPECT_GE(activity.slotOf(line.Element[entry]), 0);
                EXPECT_GE(line.Units[entry], 0.0);
            }
        }
    }
    EXPECT_EQ(*dates.begin(), demoToday.addDays(-27));
    EXPECT_EQ(*dates.rbegin(), demoToday);
    EXPECT_EQ(dates.size(), 28U);
}

TEST_F(DemoSiteTest, SameSizeGivesTheSameFilesAndAnExistingSystemIsKept) {
    QTemporaryDir second;
    QString error;
    ASSERT_TRUE(createDemoSite(second.path(), DemoSize::Small, &error, demoToday));
    const QStringList files = tableFiles(directory.path());
    EXPECT_GE(files.size(), 14);
    EXPECT_EQ(files, tableFiles(second.path()));
    for (const QString& name : files) {
        QFile one(directory.filePath(name));
        QFile two(second.filePath(name));
        ASSERT_TRUE(one.open(QIODevice::ReadOnly) && two.open(QIODevice::ReadOnly));
        EXPECT_TRUE(one.readAll() == two.readAll()) << name.toStdString() << " differs";
    }

    // A second demo site in the same folder is refused and the first one stays as it was.
    const QByteArray associatesBefore = [&] {
        QFile file(directory.filePath(QStringLiteral("TBVMASC.--1")));
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }();
    EXPECT_FALSE(createDemoSite(directory.path(), DemoSize::Small, &error, demoToday));
    EXPECT_TRUE(error.contains(QStringLiteral("exists already"))) << error.toStdString();
    QFile after(directory.filePath(QStringLiteral("TBVMASC.--1")));
    ASSERT_TRUE(after.open(QIODevice::ReadOnly));
    EXPECT_EQ(after.readAll(), associatesBefore);

    EXPECT_FALSE(
        createDemoSite(second.filePath(QStringLiteral("other")), DemoSize::Small, &error, QDate()));
    EXPECT_FALSE(error.isEmpty());
}

TEST_F(DemoSiteTest, EveryTablePassesTheXbaseCheck) {
    const QString tool = QCoreApplication::applicationDirPath() + QStringLiteral("/vxbase");
    if (!QFile::exists(tool)) {
        GTEST_SKIP() << "vxbase is not built next to the test program (" << tool.toStdString()
                     << "); build the vxbase target to check the demo tables";
    }
    int checked = 0;
    for (const QString& name : tableFiles(directory.path())) {
        if (QFileInfo(directory.filePath(name)).size() == 0) {
            continue;  // the lock file of table access is empty by design
        }
        QProcess check;
        check.start(tool, {QStringLiteral("check"), directory.filePath(name)});
        ASSERT_TRUE(check.waitForFinished(60000)) << name.toStdString();
        EXPECT_EQ(check.exitCode(), 0)
            << name.toStdString() << ": " << check.readAllStandardOutput().toStdString()
            << check.readAllStandardError().toStdString();
        ++checked;
    }
    EXPECT_GE(checked, 14);
}

// The large site takes seconds, so it runs only when asked for:
// test_host --gtest_also_run_disabled_tests --gtest_filter='*LargeSite*'
TEST(DemoSiteLargeTest, DISABLED_LargeSiteFitsTheMaximaAndItsTimeIsShown) {
    QTemporaryDir directory;
    QElapsedTimer timer;
    timer.start();
    QString error;
    ASSERT_TRUE(createDemoSite(directory.path(), DemoSize::Large, &error, demoToday))
        << error.toStdString();
    std::cout << "Large demo site created in " << timer.elapsed() << " ms\n";
    ReferenceSystem system(directory.path(), 1, ReferenceSystemOptions{fixedNow});
    system.errors().setEchoToStandardError(false);
    EXPECT_EQ(system.maximumAllocations(), 9999);
    EXPECT_EQ(system.maximumWorkCenters(), 99);
    const std::pair<TableObject*, int> expected[] = {{&system.allocations(), 9999},
                                                     {&system.activities(), 999},
                                                     {&system.associates(), 5000},
                                                     {&system.workCenters(), 99}};
    for (const auto& [table, count] : expected) {
        ASSERT_TRUE(table->open()) << table->lastError().toStdString();
        EXPECT_EQ(table->activeCount(), count) << table->name().toStdString();
    }
    ASSERT_TRUE(system.productionLines().open());
    std::cout << "Production lines: " << system.productionLines().activeCount() << "\n";
}

}  // namespace
}  // namespace vel::testing
