// The demo site: what it holds, that it is the same every time, and that its files are sound
// xBase tables.
#include "HostTestSupport.h"

#include "data/RecordedWork.h"
#include "host/DemoSite.h"
#include "host/PostingRules.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>

#include <cmath>
#include <iostream>
#include <set>

namespace vel::testing {
namespace {

const QDate demoToday(2024, 3, 13);  // the Wednesday of fixedNow()

// One small site for every test of the suite, which only read it: making it takes seconds.
class DemoSiteTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        shared = new QTemporaryDir;
        creation = new QString;
        if (!createDemoSite(shared->path(), DemoSize::Small, creation, demoToday) &&
            creation->isEmpty()) {
            *creation = QStringLiteral("failed");
        }
    }
    static void TearDownTestSuite() {
        delete shared;
        delete creation;
        shared = nullptr;
        creation = nullptr;
    }
    void SetUp() override {
        ASSERT_TRUE(creation->isEmpty()) << creation->toStdString();
        system = std::make_unique<ReferenceSystem>(directory.path(), 1,
                                                   ReferenceSystemOptions{fixedNow});
        system->errors().setEchoToStandardError(false);
    }

    static inline QTemporaryDir* shared = nullptr;
    static inline QString* creation = nullptr;  // why the site could not be made
    QTemporaryDir& directory = *shared;
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

TEST_F(DemoSiteTest, ProductionLinesCoverAYearOfValidWork) {
    auto& activities = system->activities();
    auto& centers = system->workCenters();
    auto& associates = system->associates();
    ASSERT_TRUE(activities.open() && centers.open() && associates.open());
    std::set<QDate> dates;
    std::set<int> working;
    std::set<int> recentlyWorking;
    int lines = 0;
    PostingRules rules;
    QString error;
    ASSERT_TRUE(rules.load(*system, &error)) << error.toStdString();
    std::vector<WorkCenterRecord> centerRecords(1);
    for (int number = 1; number <= centers.recordCount(); ++number) {
        centerRecords.push_back(centers.record(number));
    }
    std::vector<double> wages{0.0};
    for (int number = 1; number <= associates.recordCount(); ++number) {
        wages.push_back(associates.record(number).WageRate);
    }
    ASSERT_TRUE(system->recordedWork().forEachLine(
        QDate(1, 1, 1), QDate(9999, 12, 31), [&](const ProductionLineRecord& line) {
            ++lines;
            dates.insert(line.Date);
            working.insert(line.Associate);
            if (line.Date > demoToday.addDays(-21)) {
                recentlyWorking.insert(line.Associate);
            }
            EXPECT_TRUE(activities.isActive(line.Activity));
            EXPECT_TRUE(associates.isActive(line.Associate));
            EXPECT_TRUE(centers.isActive(line.WorkCenter));
            if (rules.activity(line.Activity) == nullptr) {
                ADD_FAILURE() << "line of a missing activity " << line.Activity;
                return false;
            }
            const ActivityRecord& activity = *rules.activity(line.Activity);
            // The activity's type of work is valid in the work center of the line.
            EXPECT_TRUE(centerRecords[size_t(line.WorkCenter)].TOWValid[size_t(activity.TOW - 1)]);
            EXPECT_GT(line.Hours, 0.0);
            EXPECT_DOUBLE_EQ(
                line.Cost, std::round(line.Hours * wages[size_t(line.Associate)] * 100.0) / 100.0);
            if (line.Allocation != 0) {
                EXPECT_EQ(activity.AllocationStandards.count(line.Allocation), 1U);
            } else {
                EXPECT_NE(activity.Allocate, 2) << "an always-allocated activity without account";
            }
            for (size_t entry = 0; entry < line.Element.size(); ++entry) {
                if (line.Element[entry] != 0) {
                    EXPECT_GE(activity.slotOf(line.Element[entry]), 0);
                    EXPECT_GE(line.Units[entry], 0.0);
                    // Engineered standards are the ones the standards table gives.
                    if (activity.EarnedHrsCalc == 1 || activity.EarnedHrsCalc == 2) {
                        EXPECT_NEAR(line.StdMinutes[entry],
                                    rules.standardMinutes(line.Activity, line.Allocation,
                                                          line.Element[entry]),
                                    1e-6);
                    }
                }
            }
            return !::testing::Test::HasFailure();
        }));
    ASSERT_FALSE(HasFailure());
    EXPECT_GE(lines, 40000);
    EXPECT_LE(lines, 90000);
    EXPECT_EQ(*dates.begin(), demoToday.addDays(-363));
    EXPECT_EQ(*dates.rbegin(), demoToday);
    // Every associate works from the hire date on; every eleventh is on leave for the last
    // three weeks (one hired within them has not worked yet).
    for (int number = 1; number <= associates.recordCount(); ++number) {
        const bool onLeave = number % 11 == 0;
        const bool justHired = associates.record(number).HireDate > demoToday.addDays(-21);
        EXPECT_EQ(working.count(number) == 1, !(onLeave && justHired)) << number;
        EXPECT_EQ(recentlyWorking.count(number) == 0, onLeave) << number;
    }
}

TEST_F(DemoSiteTest, RecordedWorkShowsAPerformanceSpreadQualityAndTheDayFile) {
    RecordedWork& work = system->recordedWork();
    const QDate first = demoToday.addDays(-363);
    // Performance per associate over the year: between 60% and 130% give or take the noise,
    // and spread over that range.
    double lowest = 10.0;
    double highest = 0.0;
    int measured = 0;
    for (const AccountFigures& entry :
         work.figures(AccountLevel::Associate, first, demoToday, {}, false)) {
        const WorkFigures& figures = entry.figures;
        if (figures.measuredHours < 100.0) {
            continue;  // hired in the last weeks
        }
        ++measured;
        const double performance = figures.earnedHours / figures.measuredHours;
        EXPECT_GT(performance, 0.5) << "associate " << entry.account;
        EXPECT_LT(performance, 1.45) << "associate " << entry.account;
        lowest = std::min(lowest, performance);
        highest = std::max(highest, performance);
        EXPECT_NEAR(figures.cost / figures.totalHours, 21.0, 6.5);  // wages 15 to 27
    }
    EXPECT_GT(measured, 100);
    EXPECT_LT(lowest, 0.75);
    EXPECT_GT(highest, 1.15);
    // Quality: audits with failures, only on types of work that track quality.
    auto& types = system->typesOfWork();
    ASSERT_TRUE(types.open());
    bool failuresFound = false;
    for (int type = 1; type <= types.recordCount(); ++type) {
        WorkSelection selection;
        selection.typeOfWork = type;
        const auto site = work.figures(AccountLevel::System, first, demoToday, selection, false);
        if (site.empty()) {
            continue;
        }
        const WorkFigures& figures = site[0].figures;
        if (types.record(type).TrackQuality) {
            EXPECT_GT(figures.audits, 10.0) << types.record(type).Code.toStdString();
            failuresFound = failuresFound || figures.auditFailedUnits > 0.0;
            EXPECT_GT(figures.failureCost, 0.0);
        } else {
            EXPECT_EQ(figures.audits, 0.0);
            EXPECT_EQ(figures.auditableUnits, 0.0);
        }
    }
    EXPECT_TRUE(failuresFound);
    // The day file holds the day's figures of the recorded work, one entry per day with work.
    ASSERT_TRUE(system->openDayFile());
    const std::vector<DayEntry> days = system->dayEntries();
    system->closeDayFile();
    ASSERT_GE(days.size(), 300U);
    const auto total = work.figures(AccountLevel::System, first, demoToday, {}, false);
    ASSERT_EQ(total.size(), 1U);
    double hours = 0.0;
    double earned = 0.0;
    for (const DayEntry& day : days) {
        hours += day.values[2];
        earned += day.values[4];
        EXPECT_GT(day.values[0], 0.0);
        EXPECT_LE(day.values[1], day.values[0]);  // no more associates than lines
        EXPECT_LE(day.values[3], day.values[2]);  // measured within total hours
        EXPECT_EQ(day.times.size(), 11);
    }
    EXPECT_NEAR(hours, total[0].figures.totalHours, 0.01 * double(days.size()));
    EXPECT_NEAR(earned, total[0].figures.earnedHours, 0.01 * double(days.size()));
    // Activities post into their data fields: a week of actual hours of the first activity.
    auto& activities = system->activities();
    ASSERT_TRUE(activities.open());
    const int hoursField = activities.record(1).FldHoursto;
    ASSERT_GT(hoursField, 0);
    EXPECT_FALSE(work.dataFieldSeries(AccountLevel::System, 1, {hoursField}, first, demoToday,
                                      DataGrain::Week)
                     .empty());
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
        if (QFileInfo(directory.filePath(name)).size() == 0 ||
            name.startsWith(QStringLiteral("TBTL"))) {
            continue;  // the lock files are empty by design; the Tallybook index is text
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
    int lines = 0;
    system.recordedWork().forEachLine(QDate(1, 1, 1), QDate(9999, 12, 31), [&lines](const auto&) {
        ++lines;
        return true;
    });
    std::cout << "Production lines: " << lines << "\n";
    EXPECT_EQ(system.recordedWork().firstDate(), demoToday.addDays(-727));
}

}  // namespace
}  // namespace vel::testing
