// Worker processes killed at seeded random points of an associate import and of an editor's
// save of every associate: afterwards every table opens, passes the check, and holds the old or
// the new state as a whole, the change log in step with the associates.
#include "ReliabilitySite.h"

#include "platform/xbase/TableChecker.h"

#include <QRandomGenerator>
#include <cstdio>

namespace vel::testing {
namespace {

struct Snapshot {
    QByteArray associates;
    QByteArray changeLog;
};

Snapshot snapshotOf(const QString& folder) {
    return {recordBytes(folder + QStringLiteral("/TBVMASC.--1")),
            recordBytes(folder + QStringLiteral("/TBEDITLOG.--1"))};
}

struct Tally {
    int rounds = 0;
    int killed = 0;
    int oldState = 0;
    int newState = 0;
};

// Opens the site as the program does (which puts back an interrupted save), then checks every
// table and tells which state the associates and the change log hold.
void expectOldOrNew(const QString& folder, const Snapshot& before, const Snapshot& after,
                    qint64 killPoint, Tally& tally) {
    SCOPED_TRACE(QStringLiteral("killed at point %1").arg(killPoint).toStdString());
    {
        ReferenceSystem system(folder, 1, {workerNow, nullptr, false});
        system.errors().setEchoToStandardError(false);
        ASSERT_TRUE(system.associates().open()) << system.associates().lastError().toStdString();
        system.associates().close();
    }
    EXPECT_TRUE(QDir(folder).entryList({QStringLiteral("*.jnl")}).isEmpty());
    for (const QString& table : tablesIn(folder)) {
        const xbase::Status status = xbase::TableChecker().checkTable(table);
        EXPECT_TRUE(status.ok()) << status.message().toStdString();
    }
    const Snapshot now = snapshotOf(folder);
    if (now.associates == before.associates) {
        ++tally.oldState;
        EXPECT_EQ(now.changeLog, before.changeLog) << "old associates with new log entries";
    } else {
        ASSERT_EQ(now.associates, after.associates) << "associates neither old nor new";
        ++tally.newState;
        // The import's closing summary is its own entry after the records' entries.
        const qsizetype summary = after.changeLog.size() - now.changeLog.size();
        EXPECT_TRUE(now.changeLog == after.changeLog ||
                    (summary > 0 && after.changeLog.startsWith(now.changeLog) &&
                     summary * 10 < after.changeLog.size()))
            << "new associates without all of their log entries";
    }
}

// Runs the worker once to its end on a copy of the base, then kills it at random points.
Tally crashRounds(const QString& base, const QStringList& arguments, int kills, quint32 seed) {
    QTemporaryDir scratch;
    const QString reference = scratch.filePath(QStringLiteral("reference"));
    copyFolder(base, reference);
    QStringList referenceArguments = arguments;
    referenceArguments[1] = reference;
    const WorkerRun full = runWorker(referenceArguments);
    EXPECT_EQ(full.exitCode, 0) << full.lines.join(QLatin1Char('\n')).toStdString();
    const qint64 points = full.points();
    EXPECT_GT(points, 10);
    const Snapshot before = snapshotOf(base);
    const Snapshot after = snapshotOf(reference);
    EXPECT_NE(before.associates, after.associates);

    Tally tally;
    QRandomGenerator random(seed);
    const QString work = scratch.filePath(QStringLiteral("work"));
    for (int round = 0; round < kills && points > 0 && !::testing::Test::HasFatalFailure();
         ++round) {
        copyFolder(base, work);
        // Every other round dies near the end, where the save commits and the files close.
        const quint32 span =
            round % 2 == 0 ? quint32(points) : quint32(std::min<qint64>(points, 40));
        const qint64 killAt = points - qint64(random.bounded(span));
        QStringList killing = arguments;
        killing[1] = work;
        killing << QString::number(killAt);
        const WorkerRun run = runWorker(killing);
        ++tally.rounds;
        tally.killed += run.killed ? 1 : 0;
        EXPECT_TRUE(run.killed) << "point " << killAt << " of " << points;
        expectOldOrNew(work, before, after, killAt, tally);
    }
    return tally;
}

void report(const char* what, const Tally& tally) {
    std::printf("[figures] %s: %d rounds, %d killed, %d old state, %d new state\n", what,
                tally.rounds, tally.killed, tally.oldState, tally.newState);
    std::fflush(stdout);
}

// An import on a site of `stored` associates, killed again and again: its lines update the
// stored associates first and add new ones after them. keepBase: the site is kept for the
// outside kills of scripts/reliability-rounds.
void importRounds(const char* what, int stored, int lines, quint32 seed, bool keepBase) {
    const int kills = sizeFromEnvironment("KILLS", 12);
    QTemporaryDir folder;
    const QString base = folder.filePath(QStringLiteral("base"));
    QDir().mkpath(base);
    buildSite(base, stored);
    QFile file(base + QStringLiteral("/import.csv"));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    for (int number = 1; number <= lines; ++number) {
        const QString code = number <= stored
                                 ? QStringLiteral("A%1").arg(number, 5, 10, QLatin1Char('0'))
                                 : QStringLiteral("N%1").arg(number, 6, 10, QLatin1Char('0'));
        file.write(QStringLiteral("%1,After,New%2,W2\n").arg(code).arg(number).toUtf8());
    }
    file.close();
    if (const QString keep = qEnvironmentVariable("VELMOR_RELIABILITY_KEEP_BASE");
        keepBase && !keep.isEmpty()) {
        copyFolder(base, keep);
    }
    const Tally tally =
        crashRounds(base, {QStringLiteral("import"), base, file.fileName()}, kills, seed);
    report(what, tally);
    EXPECT_EQ(tally.rounds, kills);
    EXPECT_EQ(tally.oldState + tally.newState, tally.rounds);
}

TEST(CrashInjection, AnImportKilledAnywhereLeavesTheOldOrTheNewAssociatesWithTheirLog) {
    importRounds("associate import", 100, sizeFromEnvironment("ASSOCIATES", 300),
                 quint32(sizeFromEnvironment("SEED", 20)), true);
}

// Every associate of a larger site updated: the records go to the journal and to the table in
// runs of thousands, each with a few large writes, any of which the kill may cut in half.
TEST(CrashInjection, AnUpdateOfThousandsOfAssociatesKilledAnywhereLeavesOldOrNew) {
    const int associates = sizeFromEnvironment("UPDATED", 5000);
    importRounds("update of every associate", associates, associates,
                 quint32(sizeFromEnvironment("SEED", 20)) + 2, false);
}

TEST(CrashInjection, AnEditorSaveKilledAnywhereLeavesEveryRecordOldOrEveryRecordNew) {
    const int associates = sizeFromEnvironment("ASSOCIATES", 300);
    const int kills = sizeFromEnvironment("KILLS", 12);
    QTemporaryDir folder;
    const QString base = folder.filePath(QStringLiteral("base"));
    QDir().mkpath(base);
    buildSite(base, associates);
    const Tally tally = crashRounds(base, {QStringLiteral("edit"), base, QStringLiteral("Changed")},
                                    kills, quint32(sizeFromEnvironment("SEED", 20)) + 1);
    report("editor save", tally);
    EXPECT_EQ(tally.rounds, kills);
    EXPECT_EQ(tally.oldState + tally.newState, tally.rounds);
}

}  // namespace
}  // namespace vel::testing
