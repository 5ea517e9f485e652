// The reference host's new-system builder: numbering, the folder lock, progress, removal.
#include "HostTestSupport.h"

#include "data/NewSystemBuilder.h"
#include "data/TableCatalogue.h"

#include <QDir>
#include <QFile>

namespace vel::testing {
namespace {

struct RecordedEvents : NewSystemEvents {
    void StatFileInit(const QString& fileName, int count) override {
        lines << QStringLiteral("file %1 of %2").arg(fileName).arg(count);
    }
    void StatActionInit(const QString& text) override { lines << text; }
    void StatShowPerc(int percent) override { percents << percent; }
    void StatDone() override { lines << QStringLiteral("done"); }
    QStringList lines;
    QList<int> percents;
};

NewSystemParameters parameters() {
    NewSystemParameters chosen;
    chosen.title = QStringLiteral("  North Hub ");
    chosen.startYear = 2025;
    chosen.fiscalStart = QDate(2025, 2, 3);
    chosen.activities = 40;
    chosen.dataLevel = DataLevel::Week;
    chosen.fields = 140;
    chosen.years = 3;
    return chosen;
}

TEST(NewSystemBuilder, TakesTheNextNumberCreatesEveryFileWithProgressAndOpensIt) {
    TestSite site;
    auto system = site.open();
    int openedNumber = 0;
    system->setNewSystemOpened([&](int number) { openedNumber = number; });
    auto builder = system->newSystemBuilder();
    EXPECT_EQ(builder->activityLimit(), 1000);
    EXPECT_EQ(builder->minimumFields(parameters()), 140);
    EXPECT_EQ(builder->diskSpace(parameters()), 4LL * 53 * 140 * 3 + 65536);

    RecordedEvents events;
    builder->setEvents(&events);
    ASSERT_TRUE(builder->prepare(parameters())) << builder->lastError().toStdString();
    EXPECT_EQ(builder->systemNumber(), 2) << "system 1 exists";
    EXPECT_EQ(builder->masterfile().systemStartDate(), QDate(2025, 2, 3));
    ASSERT_TRUE(builder->createFiles()) << builder->lastError().toStdString();
    ASSERT_GE(events.lines.size(), 4);
    EXPECT_EQ(events.lines.first(), "Creating Tallybook Masterfiles");
    EXPECT_EQ(events.lines.last(), "done");
    EXPECT_TRUE(events.lines.contains(QStringLiteral("file Activity of 15")))
        << events.lines.join(";").toStdString();
    EXPECT_EQ(events.percents.first(), 0);
    EXPECT_EQ(events.percents.last(), 100);
    EXPECT_TRUE(std::is_sorted(events.percents.begin(), events.percents.end()));

    ASSERT_TRUE(builder->openNewSystem());
    EXPECT_EQ(openedNumber, 2);
    ReferenceSystem created(site.folder, 2);
    EXPECT_EQ(created.masterfile().titles().value(0), "North Hub");
    EXPECT_EQ(created.referenceMasterfile().allocatedFields(), 140);
    EXPECT_EQ(created.referenceMasterfile().value("Master", "DataLevel"), "Week");
    ASSERT_TRUE(created.dataFields().open());
    EXPECT_EQ(created.dataFields().recordCount(), 140);
    ASSERT_TRUE(created.activities().open());
    EXPECT_EQ(created.activities().activeCount(), 0);
}

TEST(NewSystemBuilder, OneBuilderAtATimeAndAFailedCreationLeavesNoFileBehind) {
    TestSite site;
    auto system = site.open();
    const QStringList before = QDir(site.folder).entryList(QDir::Files);
    auto first = system->newSystemBuilder();
    auto second = system->newSystemBuilder();
    ASSERT_TRUE(first->lock());
    EXPECT_FALSE(second->prepare(parameters()));
    EXPECT_TRUE(second->lastError().startsWith("Another workstation is creating a system"));

    ASSERT_TRUE(first->prepare(parameters()));
    first->masterfile().logChange(QStringLiteral("Periods"), {}, QStringLiteral("Edit"));
    // A damaged element table where the new one is to go: creation fails on it.
    QFile damaged(site.path(QStringLiteral("TBVMELM.--2")));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write("not a table");
    damaged.close();
    EXPECT_FALSE(first->createFiles());
    EXPECT_FALSE(first->lastError().isEmpty());
    first->removeFiles();
    QStringList after = QDir(site.folder).entryList(QDir::Files);
    after.removeAll(QStringLiteral("TBNEWSYS.LCK"));
    EXPECT_EQ(after, before);

    first.reset();
    EXPECT_TRUE(second->lock()) << "the lock ends with its builder";
}

}  // namespace
}  // namespace vel::testing
