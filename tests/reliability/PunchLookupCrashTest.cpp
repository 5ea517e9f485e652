// The punch lookup's rebuild, which holds the file and writes its changes at the end, killed at
// every file operation of that end (through the preloaded kill points): the next open finds the
// indexes sound or rebuilds them, and the next rebuild writes the same records as one that was
// never interrupted.
#include "ReliabilitySite.h"

#include "data/CAssocLookup.h"
#include "platform/xbase/TableChecker.h"
#include "services/ErrorReport.h"
#include "ui/HeadlessUi.h"

namespace vel::testing {
namespace {

QString dataPath(const QString& folder) {
    return folder + QStringLiteral("/TBPNASSC.--1");
}

QString indexPath(const QString& folder, int number) {
    return folder + QStringLiteral("/TBPNASSI%1.--1").arg(number);
}

bool indexesSound(const QString& folder) {
    for (int number = 1; number <= 2; ++number) {
        if (!xbase::TableChecker().checkIndex(dataPath(folder), indexPath(folder, number)).ok()) {
            return false;
        }
    }
    return true;
}

WorkerRun rebuild(const QString& folder, int round, qint64 killAt) {
    return runKillable({QStringLiteral("lookup"), folder, QString::number(round)}, killAt);
}

struct Reports : ErrorReporter {
    QStringList texts;
    void report(const QString& text, int, bool) override { texts << text; }
};

TEST(PunchLookupCrash, ARebuildKilledAtAnyWriteIsMadeWholeByTheNextOpenAndRebuild) {
    QTemporaryDir root;
    const QString first = root.filePath(QStringLiteral("first"));
    const QString clean = root.filePath(QStringLiteral("clean"));
    const QString trial = root.filePath(QStringLiteral("trial"));
    QDir().mkpath(first);
    ASSERT_EQ(rebuild(first, 0, 0).exitCode, 0);
    copyFolder(first, clean);
    const WorkerRun uninterrupted = rebuild(clean, 1, 0);
    ASSERT_EQ(uninterrupted.exitCode, 0);
    const QByteArray expected = recordBytes(dataPath(clean));
    ASSERT_FALSE(expected.isEmpty());
    const qint64 points = filePoints(uninterrupted);
    ASSERT_GT(points, 3);  // the records, the new ones, their count and the index pages

    HeadlessUi ui;
    ScopedUi scope(ui);
    int rebuiltIndexes = 0;
    for (qint64 point = 1; point <= points; ++point) {
        SCOPED_TRACE(QStringLiteral("killed at point %1").arg(point).toStdString());
        copyFolder(first, trial);
        EXPECT_TRUE(rebuild(trial, 1, point).killed);
        {
            Reports reports;
            ScopedErrorReporter reporter(reports);
            CAssocLookup lookup;
            lookup.setDataFolder(trial);
            lookup.setSysNum(QStringLiteral("1"));
            ASSERT_EQ(lookup.OpenTable(), xbase::r4success);
            rebuiltIndexes += reports.texts.isEmpty() ? 0 : 1;
            EXPECT_EQ(lookup.SeekString(QStringLiteral("C200")), xbase::r4success)
                << "a code both rounds hold";
            lookup.CloseTable();
        }
        EXPECT_TRUE(indexesSound(trial));
        ASSERT_EQ(rebuild(trial, 1, 0).exitCode, 0);
        EXPECT_EQ(recordBytes(dataPath(trial)), expected);
        EXPECT_TRUE(indexesSound(trial));
    }
    EXPECT_GT(rebuiltIndexes, 0) << "some kills fall between the records and the index pages";
    EXPECT_TRUE(ui.transcript().messages().empty());
}

}  // namespace
}  // namespace vel::testing
