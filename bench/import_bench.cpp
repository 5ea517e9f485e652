// The associate import as the command runs it (`velmor --headless --yes call ImportAssociates`:
// program start, the import, the grouping and punch-lookup rebuilds after it and the automatic
// export), each run a child process on a fresh copy of the small demo site made outside the
// timing, against sqlite3 importing the same file into a table with a unique index on the code,
// also a child process. Both are timed by the wall clock of the child alone; counters give the
// child's processor time (cpu_ms) and peak memory (peak_MB). Five repetitions each; the ratios
// at the end compare medians.
//
//   ImportNewAssociates/N        N new associates (10k, 25k, 50k, 99k: the scaling table; 4k
//                                as the peer of the punch lookup's 4k)
//   ImportTheSameFileAgain       the 50k file a second time: every line names a known associate
//   ImportRealUpdates            50k lines that change every known associate's name and wage
//   ImportNewWithPunchLookup/N   as ImportNewAssociates with the punch lookup file kept
//   Sqlite3Import/N              .import into an empty table (the peer of the new associates)
//   Sqlite3Upsert/N              .import into a staging table, then insert-or-update by code
#include "ChildBenchmark.h"
#include "PeerRatio.h"

#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "services/IniSettings.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {

using vel::bench::ChildRun;
using vel::bench::oneChildRunEach;
using vel::bench::runChild;

QTemporaryDir& benchFolder() {
    static QTemporaryDir folder;
    return folder;
}
QString demoSite() {
    return benchFolder().filePath(QStringLiteral("demo"));
}
QString copyFolder() {
    return benchFolder().filePath(QStringLiteral("copy"));
}
QString lookupFolder() {
    return benchFolder().filePath(QStringLiteral("lookup"));
}

QString importFile(int count, bool changed) {
    return benchFolder().filePath(
        QStringLiteral("assoc-%1%2.csv").arg(count).arg(changed ? "-changed" : ""));
}

// The demo site with room for 99,999 associates, made once.
void prepareSite() {
    static bool prepared = false;
    if (prepared) {
        return;
    }
    prepared = true;
    QString error;
    if (!vel::createDemoSite(demoSite(), vel::DemoSize::Small, &error)) {
        qFatal("%s", qPrintable(error));
    }
    vel::IniSettings settings(vel::IniSettings::locationFor(demoSite(), 1));
    settings.selectSection(QStringLiteral("System"));
    settings.writeText(QStringLiteral("MaxAssociates"), QStringLiteral("99999"));
}

// The first work center's code, where every imported associate works.
QString workCenterCode() {
    static QString code;
    if (code.isEmpty()) {
        vel::ReferenceSystem system(demoSite(), 1);
        system.workCenters().open();
        code = system.workCenters().code(1).trimmed();
    }
    return code;
}

// count lines of new associates N00000..; changed: other names and wage rates for the same codes.
QString prepareFile(int count, bool changed) {
    prepareSite();
    const QString path = importFile(count, changed);
    if (QFile::exists(path)) {
        return path;
    }
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    const QString last = changed ? QStringLiteral("NEWNAME") : QStringLiteral("LASTNAME");
    const QString wage = changed ? QStringLiteral("16.50") : QStringLiteral("15.25");
    for (int index = 0; index < count; ++index) {
        const QString number = QStringLiteral("%1").arg(index, 5, 10, QLatin1Char('0'));
        file.write((QStringLiteral("N") + number + QStringLiteral(",") + last + number +
                    QStringLiteral(",First,") + workCenterCode() +
                    QStringLiteral(",123-45-6789,B") + number +
                    QStringLiteral(",,,,,1,2024/01/15,") + wage +
                    QStringLiteral(",1.0,,Y,N,0,,Y,N\n"))
                       .toUtf8());
    }
    return path;
}

// A fresh copy of the demo site; with the punch lookup kept in its own (emptied) folder.
QString freshSite(bool punchLookup) {
    QDir(copyFolder()).removeRecursively();
    QDir(lookupFolder()).removeRecursively();
    QDir().mkpath(copyFolder());
    for (const QFileInfo& entry : QDir(demoSite()).entryInfoList(QDir::Files)) {
        QFile::copy(entry.filePath(), copyFolder() + QStringLiteral("/") + entry.fileName());
    }
    if (punchLookup) {
        QDir().mkpath(lookupFolder());
        vel::IniSettings settings(vel::IniSettings::locationFor(copyFolder(), 1));
        settings.selectSection(QStringLiteral("AssocLookup"));
        settings.writeText(QStringLiteral("Folder"), lookupFolder());
    }
    return copyFolder();
}

// What the last child printed, shown when it fails.
QString transcript() {
    return benchFolder().filePath(QStringLiteral("last-run.txt"));
}

ChildRun runImport(const QString& site, const QString& file) {
    return runChild(QCoreApplication::applicationDirPath() + QStringLiteral("/velmor"),
                    {QStringLiteral("--headless"), QStringLiteral("--yes"),
                     QStringLiteral("--data"), site, QStringLiteral("call"),
                     QStringLiteral("ImportAssociates"), QStringLiteral("ImportFile=") + file},
                    {}, transcript());
}

ChildRun runSqlite(const QString& database, const QString& script) {
    return runChild(QStringLiteral("sqlite3"), {database}, script, transcript());
}

// Times one child run per iteration; setUp runs before it, outside the timing.
template <typename SetUp, typename Run>
void timeChild(benchmark::State& state, int rows, SetUp setUp, Run run) {
    vel::bench::timeChild(state, rows, transcript(), setUp, run);
}

void ImportNewAssociates(benchmark::State& state) {
    const int rows = int(state.range(0));
    const QString file = prepareFile(rows, false);
    QString site;
    timeChild(
        state, rows, [&] { site = freshSite(false); }, [&] { return runImport(site, file); });
}
BENCHMARK(ImportNewAssociates)
    ->Arg(4000)
    ->Arg(10000)
    ->Arg(25000)
    ->Arg(50000)
    ->Arg(99000)
    ->Apply(oneChildRunEach);

void ImportNewWithPunchLookup(benchmark::State& state) {
    const int rows = int(state.range(0));
    const QString file = prepareFile(rows, false);
    QString site;
    timeChild(
        state, rows, [&] { site = freshSite(true); }, [&] { return runImport(site, file); });
}
BENCHMARK(ImportNewWithPunchLookup)->Arg(4000)->Arg(50000)->Apply(oneChildRunEach);

// The 50k file imported once outside the timing, then file.
void importAgain(benchmark::State& state, bool changed) {
    constexpr int rows = 50000;
    const QString first = prepareFile(rows, false);
    const QString file = prepareFile(rows, changed);
    QString site;
    timeChild(
        state, rows,
        [&] {
            site = freshSite(false);
            runImport(site, first);
        },
        [&] { return runImport(site, file); });
}

void ImportTheSameFileAgain(benchmark::State& state) {
    importAgain(state, false);
}
BENCHMARK(ImportTheSameFileAgain)->Arg(50000)->Apply(oneChildRunEach);

void ImportRealUpdates(benchmark::State& state) {
    importAgain(state, true);
}
BENCHMARK(ImportRealUpdates)->Arg(50000)->Apply(oneChildRunEach);

// sqlite3 script files: the table with a unique code and 20 more columns, the import, the upsert.
QString sqliteScript(const QString& name, const QString& text) {
    const QString path = benchFolder().filePath(name);
    QFile file(path);
    file.open(QIODevice::WriteOnly | QIODevice::Truncate);
    file.write(text.toUtf8());
    return path;
}

QString columnList(bool withTypes) {
    QString columns = withTypes ? QStringLiteral("code TEXT PRIMARY KEY") : QStringLiteral("code");
    for (int column = 2; column <= 21; ++column) {
        columns += QStringLiteral(", c%1").arg(column);
    }
    return columns;
}

QString freshDatabase() {
    const QString database = benchFolder().filePath(QStringLiteral("import.db"));
    QFile::remove(database);
    runSqlite(database,
              sqliteScript(QStringLiteral("create.sql"),
                           QStringLiteral("CREATE TABLE a(%1);\n").arg(columnList(true))));
    return database;
}

QString importScript(const QString& file) {
    return sqliteScript(QStringLiteral("import.sql"),
                        QStringLiteral(".mode csv\n.import '%1' a\n").arg(file));
}

void Sqlite3Import(benchmark::State& state) {
    const int rows = int(state.range(0));
    const QString script = importScript(prepareFile(rows, false));
    QString database;
    timeChild(
        state, rows, [&] { database = freshDatabase(); },
        [&] { return runSqlite(database, script); });
}
BENCHMARK(Sqlite3Import)->Arg(10000)->Arg(25000)->Arg(50000)->Arg(99000)->Apply(oneChildRunEach);

void Sqlite3Upsert(benchmark::State& state) {
    const int rows = int(state.range(0));
    const QString first = importScript(prepareFile(rows, false));
    QString updates = QStringLiteral("c2 = excluded.c2");
    for (int column = 3; column <= 21; ++column) {
        updates += QStringLiteral(", c%1 = excluded.c%1").arg(column);
    }
    const QString upsert = sqliteScript(
        QStringLiteral("upsert.sql"),
        QStringLiteral(
            ".mode csv\nCREATE TEMP TABLE t(%1);\n.import '%2' t\n"
            "INSERT INTO a SELECT * FROM t WHERE true ON CONFLICT(code) DO UPDATE SET %3;\n")
            .arg(columnList(false), prepareFile(rows, true), updates));
    QString database;
    timeChild(
        state, rows,
        [&] {
            database = freshDatabase();
            runSqlite(database, first);
        },
        [&] { return runSqlite(database, upsert); });
}
BENCHMARK(Sqlite3Upsert)->Arg(50000)->Apply(oneChildRunEach);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    vel::bench::runWithPeerRatios(
        argc, argv,
        {{"ImportNewAssociates/10000", "Sqlite3Import/10000"},
         {"ImportNewAssociates/25000", "Sqlite3Import/25000"},
         {"ImportNewAssociates/50000", "Sqlite3Import/50000"},
         {"ImportNewAssociates/99000", "Sqlite3Import/99000"},
         {"ImportNewAssociates/99000", "ImportNewAssociates/50000"},
         {"ImportTheSameFileAgain/50000", "Sqlite3Upsert/50000"},
         {"ImportRealUpdates/50000", "Sqlite3Upsert/50000"},
         {"ImportNewWithPunchLookup/4000", "ImportNewAssociates/4000"},
         {"ImportNewWithPunchLookup/50000", "ImportNewAssociates/50000"}});
    return 0;
}
