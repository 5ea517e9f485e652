// The activity detail of one year of the large demo site written to CSV by the system object
// (every production-sheet line read, named and figured), against the sqlite3 command writing
// the same rows as CSV from a table that holds them (loaded once, before timing). Both are
// timed by wall clock, sqlite3 including its start; the ratio ours / sqlite3 is printed last.
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "ui/HeadlessUi.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <cstdio>

namespace {

QTemporaryDir* folder = nullptr;
vel::ReferenceSystem* largeSite = nullptr;
const QDate lastDay(2026, 11, 29);
const QDate firstDay = lastDay.addDays(-364);
double oursMilliseconds = 0.0;
double sqliteMilliseconds = 0.0;
qint64 rowsWritten = 0;

QString ourFile() {
    return folder->filePath(QStringLiteral("ActDetail.csv"));
}

void WriteOneYearOfActivityDetailCsv(benchmark::State& state) {
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        const vel::ActivityDetailResult result = largeSite->writeActivityDetail(
            ourFile(), QStringLiteral("CSV"), firstDay, lastDay, false);
        if (!result.problem.isEmpty()) {
            state.SkipWithError(qPrintable(result.problem));
            return;
        }
        rowsWritten = result.rows;
    }
    oursMilliseconds = double(clock.elapsed()) / double(state.iterations());
    state.counters["rows"] = double(rowsWritten);
}
BENCHMARK(WriteOneYearOfActivityDetailCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

int runSqlite(const QStringList& arguments, const QByteArray& input) {
    QProcess process;
    process.start(QStringLiteral("sqlite3"), arguments);
    process.write(input);
    process.closeWriteChannel();
    if (!process.waitForFinished(600000)) {
        return -1;
    }
    return process.exitCode();
}

// A database whose table "detail" holds the rows our CSV file has.
QString preparedDatabase() {
    const QString database = folder->filePath(QStringLiteral("detail.db"));
    if (QFile::exists(database)) {
        return database;
    }
    const QByteArray script = ".import --csv '" + ourFile().toUtf8() + "' detail\n";
    if (runSqlite({database}, script) != 0) {
        qFatal("sqlite3 could not load the rows");
    }
    return database;
}

void Sqlite3WritesTheSameRowsAsCsv(benchmark::State& state) {
    const QString database = preparedDatabase();
    const QByteArray script = ".once '" + folder->filePath(QStringLiteral("sqlite.csv")).toUtf8() +
                              "'\nSELECT * FROM detail;\n";
    QElapsedTimer clock;
    clock.start();
    for (auto _ : state) {
        if (runSqlite({QStringLiteral("-csv"), QStringLiteral("-header"), database}, script) != 0) {
            state.SkipWithError("sqlite3 failed");
            return;
        }
    }
    sqliteMilliseconds = double(clock.elapsed()) / double(state.iterations());
}
BENCHMARK(Sqlite3WritesTheSameRowsAsCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    vel::HeadlessUi ui;
    ui.setUnanswered(vel::HeadlessUi::Unanswered::DefaultButton);
    vel::ScopedUi scope(ui);
    QTemporaryDir temporary;
    folder = &temporary;
    QString error;
    const QString data = temporary.filePath(QStringLiteral("site"));
    if (!vel::createDemoSite(data, vel::DemoSize::Large, &error, lastDay)) {
        qFatal("%s", qPrintable(error));
    }
    vel::ReferenceSystem site(data, 1);
    largeSite = &site;
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (sqliteMilliseconds > 0.0) {
        std::printf("activity detail, %lld rows: ours %.1f ms, sqlite3 %.1f ms, ratio %.2f\n",
                    static_cast<long long>(rowsWritten), oursMilliseconds, sqliteMilliseconds,
                    oursMilliseconds / sqliteMilliseconds);
    }
    return 0;
}
