// The table export of the large demo site (999 activities, 9,999 allocations, their standards):
// all ten validation tables as CSV and as XLSX through the export command, and the CSV writing
// alone with the tables already open, against the sqlite3 command writing the same rows as CSV
// from a database that holds them (loaded once, before timing). Report: our CSV time / sqlite3.
#include "BenchSupport.h"

#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "maintenance/TableExport.h"
#include "maintenance/ValidationTableWriter.h"
#include "ui/HeadlessUi.h"

#include <benchmark/benchmark.h>
#include <sys/resource.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using vel::bench::childProcessorMilliseconds;
using vel::bench::runSqlite;

QTemporaryDir* folder = nullptr;
vel::ReferenceSystem* largeSite = nullptr;

QString outputFolder(const QString& name) {
    const QString path = folder->filePath(name);
    QDir().mkpath(path);
    return path;
}

// Exports the ten tables through the command, as a person or the host asks for it.
void exportAll(benchmark::State& state, const QString& type) {
    const QString target = outputFolder(QStringLiteral("command-") + type);
    for (auto _ : state) {
        if (!vel::TableExport(*largeSite).ExportTables(0, type, target)) {
            state.SkipWithError("the export failed");
            return;
        }
    }
}

void ExportTenTablesCsv(benchmark::State& state) {
    exportAll(state, QStringLiteral("CSV"));
}
BENCHMARK(ExportTenTablesCsv)->Unit(benchmark::kMillisecond)->Iterations(10);

void ExportTenTablesXlsx(benchmark::State& state) {
    exportAll(state, QStringLiteral("XLSX"));
}
BENCHMARK(ExportTenTablesXlsx)->Unit(benchmark::kMillisecond)->Iterations(3);

// The writing alone: every master table open before the clock starts.
void WriteTenTablesCsvTablesOpen(benchmark::State& state) {
    const QString target = outputFolder(QStringLiteral("open"));
    vel::ValidationTableWriter writer(*largeSite);
    for (const vel::ValidationTableInfo& info : vel::validationTables()) {
        writer.write(info.table, QStringLiteral("CSV"), target + u'/' + info.baseName + ".csv",
                     {.headerLine = true});
    }
    for (auto _ : state) {
        for (const vel::ValidationTableInfo& info : vel::validationTables()) {
            writer.write(info.table, QStringLiteral("CSV"), target + u'/' + info.baseName + ".csv",
                         {.headerLine = true});
        }
    }
}
BENCHMARK(WriteTenTablesCsvTablesOpen)->Unit(benchmark::kMillisecond)->Iterations(10);

// Each table alone (tables open), with its row count, to see where the time goes.
void WriteOneTableCsv(benchmark::State& state) {
    const vel::ValidationTableInfo& info = vel::validationTables()[size_t(state.range(0))];
    const QString path = outputFolder(QStringLiteral("one")) + u'/' + info.baseName + ".csv";
    vel::ValidationTableWriter writer(*largeSite);
    writer.write(info.table, QStringLiteral("CSV"), path, {.headerLine = true});
    for (auto _ : state) {
        writer.write(info.table, QStringLiteral("CSV"), path, {.headerLine = true});
    }
    QFile file(path);
    file.open(QIODevice::ReadOnly);
    state.counters["rows"] = double(file.readAll().count('\n') - 1);
    state.SetLabel(info.baseName.toStdString());
}
BENCHMARK(WriteOneTableCsv)->DenseRange(0, 9)->Unit(benchmark::kMillisecond)->Iterations(3);

// An SQLite database holding the rows of the ten CSV files written above, one table each.
QString preparedDatabase() {
    static QString database;
    if (!database.isEmpty()) {
        return database;
    }
    database = folder->filePath(QStringLiteral("tables.db"));
    const QString source = outputFolder(QStringLiteral("open"));
    QByteArray script;
    for (const vel::ValidationTableInfo& info : vel::validationTables()) {
        script += ".import --csv '" + (source + u'/' + info.baseName).toUtf8() + ".csv' " +
                  info.baseName.toUtf8() + "\n";
    }
    if (runSqlite({database}, script) != 0) {
        qFatal("sqlite3 could not load the tables");
    }
    return database;
}

void Sqlite3WritesTheSameRowsAsCsv(benchmark::State& state) {
    const QString database = preparedDatabase();
    const QString target = outputFolder(QStringLiteral("sqlite"));
    QByteArray script;
    for (const vel::ValidationTableInfo& info : vel::validationTables()) {
        script += ".once '" + (target + u'/' + info.baseName).toUtf8() + ".csv'\nSELECT * FROM " +
                  info.baseName.toUtf8() + ";\n";
    }
    const double before = childProcessorMilliseconds();
    for (auto _ : state) {
        if (runSqlite({QStringLiteral("-csv"), QStringLiteral("-header"), database}, script) != 0) {
            state.SkipWithError("sqlite3 failed");
            return;
        }
    }
    // The CPU column counts this process only; sqlite3's own processor time is this counter.
    state.counters["sqlite3_cpu_ms"] =
        (childProcessorMilliseconds() - before) / double(state.iterations());
}
BENCHMARK(Sqlite3WritesTheSameRowsAsCsv)->Unit(benchmark::kMillisecond)->Iterations(10);

}  // namespace

int main(int argc, char** argv) {
    return vel::bench::runOnLargeDemoSite(
        argc, argv, folder, largeSite,
        {{"ExportTenTablesCsv", "Sqlite3WritesTheSameRowsAsCsv"},
         {"WriteTenTablesCsvTablesOpen", "Sqlite3WritesTheSameRowsAsCsv"},
         {"ExportTenTablesXlsx", "ExportTenTablesCsv"}});
}
