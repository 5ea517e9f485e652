// The reference host's recorded work: standard minutes from the standards, the figures of each
// account level worked out by hand for the sample lines, the data fields a line posts, the
// history ranges, and the refusal of bad lines.
#include "RecordedWorkSupport.h"

#include "data/FiscalCalendarObject.h"
#include "data/VelmorSystem.h"

#include <QSet>

namespace vel::testing {
namespace {

constexpr double tolerance = 1e-9;

class RecordedWorkTest : public ::testing::Test {
  protected:
    void SetUp() override {
        system = site.open();
        writeSampleMasters(*system);
        ASSERT_TRUE(work().addLines(sampleLines()));
    }
    RecordedWork& work() { return system->recordedWork(); }
    std::vector<AccountFigures> all(AccountLevel level, const WorkSelection& selection = {},
                                    bool perActivity = false) {
        return work().figures(level, QDate(2024, 1, 1), QDate(2024, 12, 31), selection,
                              perActivity);
    }

    TestSite site;
    std::unique_ptr<ReferenceSystem> system;
};

// Line 1: earned 100 x 1 / 60 + 20 x 2 / 60 = 140 / 60; units 100 (only element 1 counts);
// failures 1 + 2 = 3 units: 1.5 hours and 30.00 of cost.
WorkFigures firstLine() {
    WorkFigures figures;
    figures.totalHours = 2.0;
    figures.measuredHours = 2.0;
    figures.earnedHours = 140.0 / 60.0;
    figures.cost = 30.0;
    figures.units = 100.0;
    figures.auditableUnits = 100.0;
    figures.auditedUnits = 50.0;
    figures.audits = 1.0;
    figures.catchFailedUnits = 1.0;
    figures.auditFailedUnits = 2.0;
    figures.accuracyBaseUnits = 100.0;
    figures.failureHours = 1.5;
    figures.failureCost = 30.0;
    return figures;
}

// Line 2: 90 units at half a minute earn 0.75 hours; not audited.
WorkFigures secondLine() {
    WorkFigures figures;
    figures.totalHours = 1.0;
    figures.measuredHours = 1.0;
    figures.earnedHours = 0.75;
    figures.cost = 15.0;
    figures.units = 90.0;
    figures.auditableUnits = 90.0;
    return figures;
}

// Line 3: unmeasured hours and their cost only.
WorkFigures thirdLine() {
    WorkFigures figures;
    figures.totalHours = 3.0;
    figures.cost = 45.0;
    return figures;
}

void expectFigures(const WorkFigures& actual, const WorkFigures& expected) {
    EXPECT_NEAR(actual.totalHours, expected.totalHours, tolerance);
    EXPECT_NEAR(actual.measuredHours, expected.measuredHours, tolerance);
    EXPECT_NEAR(actual.earnedHours, expected.earnedHours, tolerance);
    EXPECT_NEAR(actual.cost, expected.cost, tolerance);
    EXPECT_NEAR(actual.units, expected.units, tolerance);
    EXPECT_NEAR(actual.auditableUnits, expected.auditableUnits, tolerance);
    EXPECT_NEAR(actual.auditedUnits, expected.auditedUnits, tolerance);
    EXPECT_NEAR(actual.audits, expected.audits, tolerance);
    EXPECT_NEAR(actual.catchFailedUnits, expected.catchFailedUnits, tolerance);
    EXPECT_NEAR(actual.checkFailedUnits, expected.checkFailedUnits, tolerance);
    EXPECT_NEAR(actual.auditFailedUnits, expected.auditFailedUnits, tolerance);
    EXPECT_NEAR(actual.accuracyBaseUnits, expected.accuracyBaseUnits, tolerance);
    EXPECT_NEAR(actual.failureHours, expected.failureHours, tolerance);
    EXPECT_NEAR(actual.failureCost, expected.failureCost, tolerance);
}

WorkFigures sum(std::initializer_list<WorkFigures> parts) {
    WorkFigures total;
    for (const WorkFigures& part : parts) {
        total += part;
    }
    return total;
}

TEST(WorkFiguresTest, AddsEveryFigureAndKnowsZero) {
    WorkFigures total;
    EXPECT_TRUE(total.isZero());
    total += firstLine();
    total += secondLine();
    EXPECT_FALSE(total.isZero());
    EXPECT_DOUBLE_EQ(total.failureCost, 30.0);
    EXPECT_DOUBLE_EQ(total.units, 190.0);
    WorkFigures onlyLast;
    onlyLast.failureCost = 0.01;  // the last figure alone still counts
    EXPECT_FALSE(onlyLast.isZero());
}

TEST_F(RecordedWorkTest, StandardMinutesComeFromTheAllocationOrTheSlot) {
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 0, 1), 1.0);
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 0, 2), 2.0);
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 2, 1), 0.5);  // the customer's standard
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 2, 2), 2.0);  // not set for the customer
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 3, 1), 1.0);  // allocation not valid
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 0, 9), 0.0);  // element not on the activity
    EXPECT_DOUBLE_EQ(work().standardMinutes(2, 0, 1), 0.0);
    EXPECT_DOUBLE_EQ(work().standardMinutes(7, 0, 1), 0.0);  // no such activity
    // One standard for every allocation: the customer's standard no longer applies.
    auto& activities = system->activities();
    ASSERT_TRUE(activities.open());
    ActivityRecord same = activities.record(1);
    same.AllAllocSameStd = true;
    same.Elements[1].Standard = 0.0F;  // a standard of 0 earns nothing
    activities.setRecord(1, same);
    expectSaved(activities);
    activities.close();
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 2, 1), 1.0);
    EXPECT_DOUBLE_EQ(work().standardMinutes(1, 0, 2), 0.0);
}

TEST_F(RecordedWorkTest, FiguresOfEveryLevelAreTheSumsOfTheirLines) {
    const auto associates = all(AccountLevel::Associate);
    ASSERT_EQ(associates.size(), 2U);
    EXPECT_EQ(associates[0].account, 1);
    EXPECT_EQ(associates[0].activity, 0);
    expectFigures(associates[0].figures, sum({firstLine(), thirdLine()}));
    EXPECT_EQ(associates[1].account, 2);
    expectFigures(associates[1].figures, secondLine());

    const auto centers = all(AccountLevel::WorkCenter);
    ASSERT_EQ(centers.size(), 2U);
    expectFigures(centers[0].figures, sum({firstLine(), secondLine()}));
    expectFigures(centers[1].figures, thirdLine());

    const auto system = all(AccountLevel::System);
    ASSERT_EQ(system.size(), 1U);
    EXPECT_EQ(system[0].account, 1);
    expectFigures(system[0].figures, sum({firstLine(), secondLine(), thirdLine()}));

    // Lines without an allocation have no allocation account.
    const auto allocations = all(AccountLevel::Allocation);
    ASSERT_EQ(allocations.size(), 1U);
    EXPECT_EQ(allocations[0].account, 2);
    expectFigures(allocations[0].figures, secondLine());

    // One week only, then one day.
    auto week =
        work().figures(AccountLevel::Associate, QDate(2024, 3, 11), QDate(2024, 3, 17), {}, false);
    ASSERT_EQ(week.size(), 1U);
    expectFigures(week[0].figures, thirdLine());
    EXPECT_TRUE(work()
                    .figures(AccountLevel::System, QDate(2024, 3, 6), QDate(2024, 3, 11), {}, false)
                    .empty());
}

TEST_F(RecordedWorkTest, SelectionsAndPerActivityFigures) {
    // Per activity: associate 1 has two rows, ascending by activity.
    const auto split = all(AccountLevel::Associate, {}, true);
    ASSERT_EQ(split.size(), 3U);
    EXPECT_EQ(split[0].account, 1);
    EXPECT_EQ(split[0].activity, 1);
    expectFigures(split[0].figures, firstLine());
    EXPECT_EQ(split[1].account, 1);
    EXPECT_EQ(split[1].activity, 2);
    expectFigures(split[1].figures, thirdLine());
    EXPECT_EQ(split[2].account, 2);
    EXPECT_EQ(split[2].activity, 1);

    WorkSelection policy;
    policy.ppaOnly = true;  // the meeting activity is left out of the policy
    const auto ppa = all(AccountLevel::System, policy);
    ASSERT_EQ(ppa.size(), 1U);
    expectFigures(ppa[0].figures, sum({firstLine(), secondLine()}));

    WorkSelection indirect;
    indirect.typeOfWork = 2;
    const auto meetings = all(AccountLevel::Associate, indirect);
    ASSERT_EQ(meetings.size(), 1U);
    EXPECT_EQ(meetings[0].account, 1);
    expectFigures(meetings[0].figures, thirdLine());

    WorkSelection picking;
    picking.activity = 1;
    const auto picks = all(AccountLevel::WorkCenter, picking);
    ASSERT_EQ(picks.size(), 1U);
    expectFigures(picks[0].figures, sum({firstLine(), secondLine()}));
}

// The data fields that a day of one account changed, with their values.
QMap<int, double> postedFields(RecordedWork& work, AccountLevel level, int account,
                               const QDate& day) {
    QList<int> every;
    for (int field = 1; field <= 20; ++field) {
        every << field;
    }
    QMap<int, double> posted;
    for (const DataPoint& point :
         work.dataFieldSeries(level, account, every, day, day, DataGrain::Day)) {
        for (int index = 0; index < every.size(); ++index) {
            if (point.values[size_t(index)] != 0.0) {
                posted[every[index]] = point.values[size_t(index)];
            }
        }
    }
    return posted;
}

TEST_F(RecordedWorkTest, PostingChangesExactlyTheDataFieldsTheActivityNames) {
    // Line 1: actual hours 1, earned 2, element units 3 and 4, cost 5, quality fields 7-12:
    // auditable units, auditable hours, accuracy base, audited units, failure cost and hours.
    const QMap<int, double> first =
        postedFields(work(), AccountLevel::Associate, 1, QDate(2024, 3, 4));
    const QMap<int, double> expected{{1, 2.0},   {2, 140.0 / 60.0}, {3, 100.0}, {4, 20.0},
                                     {5, 30.0},  {7, 100.0},        {8, 2.0},   {9, 100.0},
                                     {10, 50.0}, {11, 30.0},        {12, 1.5}};
    ASSERT_EQ(first.keys(), expected.keys());
    for (int field : expected.keys()) {
        EXPECT_NEAR(first[field], expected[field], tolerance) << "field " << field;
    }
    // Line 3 names only field 6; its type of work keeps no quality.
    EXPECT_EQ(postedFields(work(), AccountLevel::Associate, 1, QDate(2024, 3, 12)),
              (QMap<int, double>{{6, 3.0}}));
    // At the allocation level only the fields kept per allocation are posted.
    EXPECT_EQ(postedFields(work(), AccountLevel::Allocation, 2, QDate(2024, 3, 5)),
              (QMap<int, double>{{1, 1.0}}));
    // A weekly series of the work center adds both lines of the first week.
    const auto weeks =
        work().dataFieldSeries(AccountLevel::WorkCenter, 1, {3, 1}, QDate(2024, 3, 1),
                               QDate(2024, 3, 31), DataGrain::Week);
    ASSERT_EQ(weeks.size(), 1U);
    EXPECT_EQ(weeks[0].ending, QDate(2024, 3, 10));
    EXPECT_EQ(weeks[0].values, (std::vector<double>{190.0, 3.0}));
    // Fiscal periods end where the stored calendar says.
    const FiscalCalendarObject& calendar = work().fiscalCalendar();
    const QDate firstEnding = calendar.period(QDate(2024, 3, 4)).last;
    const QDate secondEnding = calendar.period(QDate(2024, 3, 12)).last;
    ASSERT_TRUE(firstEnding.isValid());
    const auto periods = work().dataFieldSeries(AccountLevel::Associate, 1, {1, 6},
                                                QDate(2024, 1, 1), QDate(2024, 12, 31),
                                                DataGrain::Period);
    if (firstEnding == secondEnding) {
        ASSERT_EQ(periods.size(), 1U);
        EXPECT_EQ(periods[0].values, (std::vector<double>{2.0, 3.0}));
    } else {
        ASSERT_EQ(periods.size(), 2U);
        EXPECT_EQ(periods[0].values, (std::vector<double>{2.0, 0.0}));
        EXPECT_EQ(periods[1].ending, secondEnding);
    }
    EXPECT_EQ(periods[0].ending, firstEnding);
}

TEST_F(RecordedWorkTest, HistoriesEndOnTheLastClosedWeek) {
    // The clock says Wednesday 13 March: the last complete week ends Sunday 10 March.
    HistoryRange shortTerm = work().shortTermHistory();
    EXPECT_EQ(shortTerm.weeks, 4);
    EXPECT_EQ(shortTerm.last, QDate(2024, 3, 10));
    EXPECT_EQ(shortTerm.first, QDate(2024, 2, 12));
    EXPECT_FALSE(shortTerm.isEmpty());
    site.setSetting(QStringLiteral("History"), QStringLiteral("LongTermWeeks"),
                    QStringLiteral("26"));
    HistoryRange longTerm = work().longTermHistory();
    EXPECT_EQ(longTerm.weeks, 26);
    EXPECT_EQ(longTerm.first, QDate(2023, 9, 11));
    // Once week-end processing closed a week, the histories end there.
    ASSERT_TRUE(system->referenceMasterfile().setValue(
        QStringLiteral("Master"), QStringLiteral("LastWeekEnd"), QStringLiteral("2024/03/03")));
    site.setSetting(QStringLiteral("History"), QStringLiteral("ShortTermWeeks"),
                    QStringLiteral("1"));
    shortTerm = work().shortTermHistory();
    EXPECT_EQ(shortTerm.last, QDate(2024, 3, 3));
    EXPECT_EQ(shortTerm.first, QDate(2024, 2, 26));
}

TEST_F(RecordedWorkTest, LinesInOrderAndBadLinesRefused) {
    EXPECT_EQ(work().firstDate(), QDate(2024, 3, 4));
    EXPECT_EQ(work().lastDate(), QDate(2024, 3, 12));
    // A line recorded later for an earlier day comes before the later days.
    ProductionLineRecord late = sampleLines()[2];
    late.Date = QDate(2024, 3, 5);
    late.Hours = 0.5;
    ASSERT_TRUE(work().addLines({late}));
    QList<double> hours;
    ASSERT_TRUE(work().forEachLine(QDate(2024, 3, 5), QDate(2024, 3, 31),
                                   [&hours](const ProductionLineRecord& line) {
                                       hours << line.Hours;
                                       return true;
                                   }));
    EXPECT_EQ(hours, (QList<double>{1.0, 0.5, 3.0}));
    // A line without an activity is refused with the others of its call: nothing is stored.
    ProductionLineRecord blank = sampleLines()[0];
    blank.Activity = 0;
    system->errors().clear();
    EXPECT_FALSE(work().addLines({sampleLines()[0], blank}));
    EXPECT_TRUE(system->errors().mentions(QStringLiteral("needs a date, an activity")));
    int lines = 0;
    work().forEachLine(QDate(2024, 1, 1), QDate(2024, 12, 31), [&lines](const auto&) {
        ++lines;
        return true;
    });
    EXPECT_EQ(lines, 4);
    // The visitor may stop early.
    int visited = 0;
    work().forEachLine(QDate(2024, 1, 1), QDate(2024, 12, 31),
                       [&visited](const auto&) { return ++visited < 2; });
    EXPECT_EQ(visited, 2);
}

}  // namespace
}  // namespace vel::testing
