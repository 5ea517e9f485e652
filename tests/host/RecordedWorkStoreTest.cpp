// The posted sums of the recorded work in the data folder: a recalculation gives exactly what
// posting line by line gave, lines that reached the lines file without being posted are posted
// on the next question and never twice, two workstations post into the same sums, a removal
// that moves lines to another record moves their figures, and a damaged file is reported.
#include "RecordedWorkSupport.h"

#include "data/VelmorSystem.h"
#include "host/DemoRandom.h"
#include "host/ReferenceRecordedWork.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

constexpr AccountLevel everyLevel[] = {AccountLevel::System, AccountLevel::WorkCenter,
                                       AccountLevel::Associate, AccountLevel::Allocation};

// Lines of six weeks of February and March, with every kind of value the figures add.
std::vector<ProductionLineRecord> manyLines(int count) {
    DemoRandom random(77);
    std::vector<ProductionLineRecord> lines;
    for (int index = 0; index < count; ++index) {
        ProductionLineRecord line = sampleLines()[size_t(random.between(0, 2))];
        line.Date = QDate(2024, 2, 5).addDays(random.between(0, 41));
        line.Associate = random.between(1, 6);
        line.WorkCenter = random.between(1, 3);
        line.Hours = 0.25 * random.between(1, 32);
        line.Cost = line.Hours * 17.35;
        if (line.Activity == 1) {
            line.Units = {double(random.between(0, 400)), double(random.between(0, 50))};
            line.AuditedUnits = random.chance(30) ? random.between(1, 40) : 0.0;
            line.CheckFailed = random.chance(20) ? random.between(1, 3) : 0.0;
        }
        lines.push_back(line);
    }
    return lines;
}

class RecordedWorkStoreTest : public ::testing::Test {
  protected:
    void SetUp() override {
        system = site.open();
        writeSampleMasters(*system);
    }
    RecordedWork& work() { return system->recordedWork(); }
    // Every figure of every level, per activity, and the weekly data fields of associate 1.
    QString snapshot() {
        QString text;
        for (AccountLevel level : everyLevel) {
            for (bool perActivity : {false, true}) {
                for (const AccountFigures& entry : work().figures(
                         level, QDate(2024, 2, 7), QDate(2024, 3, 20), {}, perActivity)) {
                    text += QStringLiteral("%1/%2/%3: %4 %5 %6 %7 %8\n")
                                .arg(int(level))
                                .arg(entry.account)
                                .arg(entry.activity)
                                .arg(entry.figures.totalHours, 0, 'g', 17)
                                .arg(entry.figures.earnedHours, 0, 'g', 17)
                                .arg(entry.figures.cost, 0, 'g', 17)
                                .arg(entry.figures.accuracyBaseUnits, 0, 'g', 17)
                                .arg(entry.figures.failureCost, 0, 'g', 17);
                }
            }
        }
        for (const DataPoint& point :
             work().dataFieldSeries(AccountLevel::Associate, 1, {1, 2, 3, 8, 11}, QDate(2024, 1, 1),
                                    QDate(2024, 12, 31), DataGrain::Week)) {
            text += point.ending.toString(Qt::ISODate);
            for (double value : point.values) {
                text += u' ' + QString::number(value, 'g', 17);
            }
            text += u'\n';
        }
        return text;
    }

    TestSite site;
    std::unique_ptr<ReferenceSystem> system;
};

TEST_F(RecordedWorkStoreTest, RecalculationGivesExactlyWhatPostingLineByLineGave) {
    for (const ProductionLineRecord& line : manyLines(80)) {
        ASSERT_TRUE(work().addLines({line}));
    }
    const QString posted = snapshot();
    ASSERT_GT(posted.count(u'\n'), 30);
    ASSERT_TRUE(work().recalculate());
    EXPECT_EQ(snapshot(), posted);
    // The sums changed folders; the old one is gone.
    EXPECT_FALSE(QDir(site.path(QStringLiteral("TBTALLY1.--1"))).exists());
    EXPECT_TRUE(QDir(site.path(QStringLiteral("TBTALLY2.--1"))).exists());
    // A second system object (another workstation) reads the same figures.
    auto other = site.open();
    auto& ours = work();
    EXPECT_EQ(other->recordedWork().figures(AccountLevel::System, QDate(2024, 1, 1),
                                            QDate(2024, 12, 31), {}, true),
              ours.figures(AccountLevel::System, QDate(2024, 1, 1), QDate(2024, 12, 31), {}, true));
    // After a change of the standards the recalculation posts with the new masters: the
    // second element's units no longer count once its units field is taken away.
    auto& activities = system->activities();
    ASSERT_TRUE(activities.open());
    ActivityRecord changed = activities.record(1);
    changed.Elements[1].UnitsField = 0;
    activities.setRecord(1, changed);
    expectSaved(activities);
    activities.close();
    ASSERT_TRUE(work().recalculate());
    for (const DataPoint& point :
         work().dataFieldSeries(AccountLevel::System, 1, {4}, QDate(2024, 1, 1),
                                QDate(2024, 12, 31), DataGrain::Day)) {
        ADD_FAILURE() << "field 4 still posted on " << point.ending.toString().toStdString();
    }
}

TEST_F(RecordedWorkStoreTest, LinesNotYetPostedArePostedOnceOnTheNextQuestion) {
    const std::vector<ProductionLineRecord> lines = manyLines(60);
    ASSERT_TRUE(work().addLines(std::vector(lines.begin(), lines.begin() + 30)));
    const TallyStore& store = static_cast<ReferenceRecordedWork&>(work()).store();
    // A kill after the lines reached their file but before the index said so: the week files
    // already posted some of them. Simulated by writing the rest through the table and putting
    // the index back to an earlier line.
    ASSERT_TRUE(work().addLines(std::vector(lines.begin() + 30, lines.begin() + 45)));
    QFile index(store.indexPath());
    ASSERT_TRUE(index.open(QIODevice::WriteOnly | QIODevice::Truncate));
    index.write("Generation=1\nPosted=20\n");
    index.close();
    auto& table = system->productionLines();
    ASSERT_TRUE(table.open());
    for (size_t line = 45; line < lines.size(); ++line) {
        table.setRecord(table.recordCount() + 1, lines[line]);
    }
    expectSaved(table);
    table.close();
    const QString caughtUp = snapshot();

    TestSite fresh;
    auto reference = fresh.open();
    writeSampleMasters(*reference);
    ASSERT_TRUE(reference->recordedWork().addLines(lines));
    std::swap(system, reference);
    EXPECT_EQ(caughtUp, snapshot());
}

TEST_F(RecordedWorkStoreTest, TwoWorkstationsPostIntoTheSameSums) {
    auto other = site.open();
    const std::vector<ProductionLineRecord> lines = manyLines(40);
    for (size_t index = 0; index < lines.size(); ++index) {
        ReferenceSystem& writer = index % 2 == 0 ? *system : *other;
        ASSERT_TRUE(writer.recordedWork().addLines({lines[index]}));
    }
    double hours = 0.0;
    for (const ProductionLineRecord& line : lines) {
        hours += line.Hours;
    }
    for (ReferenceSystem* reader : {system.get(), other.get()}) {
        const auto total = reader->recordedWork().figures(AccountLevel::System, QDate(2024, 1, 1),
                                                          QDate(2024, 12, 31), {}, false);
        ASSERT_EQ(total.size(), 1U);
        EXPECT_NEAR(total[0].figures.totalHours, hours, 1e-9);
    }
    int stored = 0;
    work().forEachLine(QDate(2024, 1, 1), QDate(2024, 12, 31), [&stored](const auto&) {
        ++stored;
        return true;
    });
    EXPECT_EQ(stored, 40);
}

TEST_F(RecordedWorkStoreTest, ARemovedAssociatesLinesMoveWithTheirFigures) {
    auto& associates = system->associates();
    ASSERT_TRUE(associates.open());
    associates.setRecord(1, withCode<AssociateRecord>(QStringLiteral("A1")));
    associates.setRecord(2, withCode<AssociateRecord>(QStringLiteral("A2")));
    expectSaved(associates);
    ASSERT_TRUE(work().addLines(sampleLines()));
    ASSERT_TRUE(associates.remove(2, 1));
    expectSaved(associates);
    associates.close();
    const auto figures =
        work().figures(AccountLevel::Associate, QDate(2024, 1, 1), QDate(2024, 12, 31), {}, false);
    ASSERT_EQ(figures.size(), 1U);
    EXPECT_EQ(figures[0].account, 1);
    EXPECT_DOUBLE_EQ(figures[0].figures.totalHours, 6.0);
    // Clearing an associate's data before a day takes its figures out as well.
    ASSERT_TRUE(system->clearAssociateDataBefore(1, QDate(2024, 3, 6)));
    const auto left =
        work().figures(AccountLevel::System, QDate(2024, 1, 1), QDate(2024, 12, 31), {}, false);
    ASSERT_EQ(left.size(), 1U);
    EXPECT_DOUBLE_EQ(left[0].figures.totalHours, 3.0);
    EXPECT_EQ(work().firstDate(), QDate(2024, 3, 12));
}

TEST_F(RecordedWorkStoreTest, ADamagedWeekFileIsReportedNotRead) {
    ASSERT_TRUE(work().addLines(sampleLines()));
    const QString week =
        static_cast<ReferenceRecordedWork&>(work()).store().weekPath(QDate(2024, 3, 10));
    QFile file(week);
    ASSERT_TRUE(file.open(QIODevice::ReadWrite));
    ASSERT_TRUE(file.resize(100));
    file.close();
    system->errors().clear();
    EXPECT_TRUE(work()
                    .figures(AccountLevel::System, QDate(2024, 3, 1), QDate(2024, 3, 31), {}, false)
                    .empty());
    EXPECT_TRUE(system->errors().mentions(QStringLiteral("W20240310")));
    EXPECT_TRUE(system->errors().mentions(QStringLiteral("ReferenceRecordedWork:figures")));
    // A recalculation writes it again from the lines.
    ASSERT_TRUE(work().recalculate());
    EXPECT_EQ(work()
                  .figures(AccountLevel::System, QDate(2024, 3, 1), QDate(2024, 3, 31), {}, false)
                  .size(),
              1U);
    // A folder restored from a backup, which holds no sums' folder, posts every line again.
    ASSERT_TRUE(QDir(site.path(QStringLiteral("TBTALLY2.--1"))).removeRecursively());
    const auto restored =
        work().figures(AccountLevel::System, QDate(2024, 3, 1), QDate(2024, 3, 31), {}, false);
    ASSERT_EQ(restored.size(), 1U);
    EXPECT_DOUBLE_EQ(restored[0].figures.totalHours, 6.0);
}

}  // namespace
}  // namespace vel::testing
