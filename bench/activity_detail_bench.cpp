// One year of activity detail of the large demo site written to CSV as the user runs it unattended
// (`velmor --headless call WriteActivityDetailData`: program start, opening the site, every
// production-sheet line read, named and figured, the file written), against the sqlite3 command
// writing the same rows as CSV from a database that holds them (loaded once, before timing). Both
// are child processes timed the same way (ChildBenchmark.h): wall clock, processor time from
// wait4 (cpu_ms) and peak memory (peak_MB), five repetitions each; the ratios ours / sqlite3 of
// the medians come last. The site is made by `velmor new-demo` as a child too, and the in-process
// run comes last, so that this program stays small while the children run: a spawned child's peak
// memory counts its parent's at the moment it starts.
//
//   WriteActivityDetailCommand   the command, as above
//   WriteActivityDetailInProcess the writing alone on an open site (start-up left out), in this
//                                process, for the share the start takes
//   Sqlite3WritesTheSameRows     sqlite3 -csv -header of the same rows
#include "ChildBenchmark.h"
#include "PeerRatio.h"

#include "host/ReferenceSystem.h"
#include "ui/HeadlessUi.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>

namespace {

using vel::bench::oneChildRunEach;
using vel::bench::runChild;
using vel::bench::timeChild;

QTemporaryDir* folder = nullptr;
// The demo site's recorded work ends today; one year of it.
const QDate lastDay = QDate::currentDate();
const QDate firstDay = lastDay.addDays(-364);
qint64 rowsWritten = 0;

QString site() {
    return folder->filePath(QStringLiteral("site"));
}
QString ourFile() {
    return folder->filePath(QStringLiteral("ActDetail.csv"));
}
QString transcript() {
    return folder->filePath(QStringLiteral("last-run.txt"));
}
QString written(const QString& name, const QByteArray& text) {
    return vel::bench::writtenFile(folder->filePath(name), text);
}

vel::bench::ChildRun runCommand() {
    const QString format = QStringLiteral("yyyy/MM/dd");
    return runChild(
        vel::bench::velmorProgram(),
        {QStringLiteral("--headless"), QStringLiteral("--data"), site(), QStringLiteral("call"),
         QStringLiteral("WriteActivityDetailData"), QStringLiteral("ExpFileName=") + ourFile(),
         QStringLiteral("StartDate=") + firstDay.toString(format),
         QStringLiteral("EndDate=") + lastDay.toString(format)},
        {}, transcript());
}

// The number of data rows of the CSV file (its lines less the heading).
qint64 dataRows(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        return -1;
    }
    qint64 lines = 0;
    while (!file.atEnd()) {
        file.readLine();
        ++lines;
    }
    return lines - 1;
}

void WriteActivityDetailCommand(benchmark::State& state) {
    timeChild(
        state, 0, transcript(), [] {}, runCommand);
    rowsWritten = dataRows(ourFile());
    state.counters["rows"] = double(rowsWritten);
}
BENCHMARK(WriteActivityDetailCommand)->Apply(oneChildRunEach);

// A database whose table "detail" holds the rows our CSV file has.
QString preparedDatabase() {
    const QString database = folder->filePath(QStringLiteral("detail.db"));
    if (!QFile::exists(database)) {
        if (runCommand().exitCode != 0) {
            qFatal("the activity detail could not be written");
        }
        const QString script = written(QStringLiteral("load.sql"),
                                       ".import --csv '" + ourFile().toUtf8() + "' detail\n");
        if (runChild(QStringLiteral("sqlite3"), {database}, script, transcript()).exitCode != 0) {
            qFatal("sqlite3 could not load the rows");
        }
    }
    return database;
}

void Sqlite3WritesTheSameRows(benchmark::State& state) {
    const QString database = preparedDatabase();
    const QString script =
        written(QStringLiteral("write.sql"),
                ".once '" + folder->filePath(QStringLiteral("sqlite.csv")).toUtf8() +
                    "'\nSELECT * FROM detail;\n");
    timeChild(
        state, 0, transcript(), [] {},
        [&] {
            return runChild(QStringLiteral("sqlite3"),
                            {QStringLiteral("-csv"), QStringLiteral("-header"), database}, script,
                            transcript());
        });
}
BENCHMARK(Sqlite3WritesTheSameRows)->Apply(oneChildRunEach);

void WriteActivityDetailInProcess(benchmark::State& state) {
    vel::ReferenceSystem system(site(), 1);
    for (auto _ : state) {
        const vel::ActivityDetailResult result =
            system.writeActivityDetail(folder->filePath(QStringLiteral("InProcess.csv")),
                                       QStringLiteral("CSV"), firstDay, lastDay, false);
        if (!result.problem.isEmpty()) {
            state.SkipWithError(qPrintable(result.problem));
            return;
        }
    }
}
BENCHMARK(WriteActivityDetailInProcess)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(vel::bench::childRepetitions);

}  // namespace

int main(int argc, char** argv) {
    vel::bench::runOnLargeDemoSiteOfChild(
        argc, argv, folder,
        {{"WriteActivityDetailCommand", "Sqlite3WritesTheSameRows"},
         {"WriteActivityDetailInProcess", "Sqlite3WritesTheSameRows"}});
    std::printf("activity detail: %lld rows\n", static_cast<long long>(rowsWritten));
    return 0;
}
