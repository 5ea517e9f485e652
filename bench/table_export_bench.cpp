// The table export of the large demo site (999 activities, 9,999 allocations, their standards,
// the associates) as the user runs it unattended: `velmor --headless call ExportTables` with the
// output type and folder (program start, opening the site, all ten validation tables written),
// against the sqlite3 command writing the same rows as CSV from a database that holds them (loaded
// once, before timing). Both are child processes timed the same way (ChildBenchmark.h): wall
// clock, processor time from wait4 (cpu_ms) and peak memory (peak_MB), five repetitions each; the
// ratios of the medians come last; "lines" counts what each side wrote, to see that both wrote the
// same rows. The in-process run comes last, so that this program stays small while the children
// run.
//
//   ExportTablesCsvCommand        the command with OutputType=CSV
//   ExportTablesXlsxCommand       the same with OutputType=XLSX, against our CSV
//   Sqlite3WritesTheSameRowsAsCsv sqlite3 -csv of the same rows, one file per table
//   WriteTenTablesCsvInProcess    the writing alone on an open site (start-up left out)
#include "ChildBenchmark.h"
#include "PeerRatio.h"

#include "host/ReferenceSystem.h"
#include "maintenance/TableExport.h"
#include "maintenance/ValidationTableWriter.h"
#include "ui/HeadlessUi.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

using vel::bench::oneChildRunEach;
using vel::bench::runChild;
using vel::bench::timeChild;
using vel::bench::writtenFile;

QTemporaryDir* folder = nullptr;

QString site() {
    return folder->filePath(QStringLiteral("site"));
}
QString transcript() {
    return folder->filePath(QStringLiteral("last-run.txt"));
}
QString outputFolder(const QString& name) {
    const QString path = folder->filePath(name);
    QDir().mkpath(path);
    return path;
}

// The lines of the ten CSV files in a folder: the rows written, for checking that both sides
// wrote the same.
qint64 linesWritten(const QString& path) {
    qint64 lines = 0;
    for (const vel::ValidationTableInfo& info : vel::validationTables()) {
        QFile file(path + u'/' + info.baseName + QStringLiteral(".csv"));
        if (file.open(QIODevice::ReadOnly)) {
            lines += file.readAll().count('\n');
        }
    }
    return lines;
}

vel::bench::ChildRun runExport(const QString& type) {
    return runChild(
        vel::bench::velmorProgram(),
        {QStringLiteral("--headless"), QStringLiteral("--data"), site(), QStringLiteral("call"),
         QStringLiteral("ExportTables"), QStringLiteral("OutputType=") + type,
         QStringLiteral("OutputFolder=") + outputFolder(QStringLiteral("ours-") + type)},
        {}, transcript());
}

void ExportTablesCsvCommand(benchmark::State& state) {
    timeChild(
        state, 0, transcript(), [] {}, [] { return runExport(QStringLiteral("CSV")); });
    state.counters["lines"] = double(linesWritten(outputFolder(QStringLiteral("ours-CSV"))));
}
BENCHMARK(ExportTablesCsvCommand)->Apply(oneChildRunEach);

void ExportTablesXlsxCommand(benchmark::State& state) {
    timeChild(
        state, 0, transcript(), [] {}, [] { return runExport(QStringLiteral("XLSX")); });
}
BENCHMARK(ExportTablesXlsxCommand)->Apply(oneChildRunEach);

// The number of fields of a CSV line, commas inside quoted fields not counted.
int fieldCount(const QByteArray& line) {
    int fields = 1;
    bool quoted = false;
    for (const char c : line) {
        if (c == '"') {
            quoted = !quoted;
        } else if (c == ',' && !quoted) {
            ++fields;
        }
    }
    return fields;
}

// The file our CSV export wrote for one table, with a heading line c1,c2,... put in front so
// that sqlite3 takes every line of it as a row (the export writes no heading by default).
QString withHeading(const QString& ours, const QString& copy) {
    QFile file(ours);
    if (!file.open(QIODevice::ReadOnly)) {
        qFatal("cannot read %s", qPrintable(ours));
    }
    const QByteArray rows = file.readAll();
    QByteArray heading = "c1";
    for (int field = 2; field <= fieldCount(rows.left(rows.indexOf('\n'))); ++field) {
        heading += ",c" + QByteArray::number(field);
    }
    return writtenFile(copy, heading + "\n" + rows);
}

// A database with one table per validation table, holding the rows of our CSV export.
QString preparedDatabase() {
    const QString database = folder->filePath(QStringLiteral("tables.db"));
    if (QFile::exists(database)) {
        return database;
    }
    if (runExport(QStringLiteral("CSV")).exitCode != 0) {
        qFatal("the tables could not be exported");
    }
    const QString ours = outputFolder(QStringLiteral("ours-CSV"));
    const QString copies = outputFolder(QStringLiteral("with-heading"));
    QByteArray script;
    for (const vel::ValidationTableInfo& info : vel::validationTables()) {
        const QString name = info.baseName + QStringLiteral(".csv");
        const QString copy = withHeading(ours + u'/' + name, copies + u'/' + name);
        script += ".import --csv '" + copy.toUtf8() + "' " + info.baseName.toUtf8() + "\n";
    }
    const QString load = writtenFile(folder->filePath(QStringLiteral("load.sql")), script);
    if (runChild(QStringLiteral("sqlite3"), {database}, load, transcript()).exitCode != 0) {
        qFatal("sqlite3 could not load the tables");
    }
    return database;
}

void Sqlite3WritesTheSameRowsAsCsv(benchmark::State& state) {
    const QString database = preparedDatabase();
    const QString target = outputFolder(QStringLiteral("sqlite"));
    QByteArray text;
    for (const vel::ValidationTableInfo& info : vel::validationTables()) {
        text += ".once '" + (target + u'/' + info.baseName).toUtf8() + ".csv'\nSELECT * FROM " +
                info.baseName.toUtf8() + ";\n";
    }
    const QString script = writtenFile(folder->filePath(QStringLiteral("write.sql")), text);
    timeChild(
        state, 0, transcript(), [] {},
        [&] {
            return runChild(QStringLiteral("sqlite3"), {QStringLiteral("-csv"), database}, script,
                            transcript());
        });
    state.counters["lines"] = double(linesWritten(target));
}
BENCHMARK(Sqlite3WritesTheSameRowsAsCsv)->Apply(oneChildRunEach);

// The writing alone: the site open and every table read once before the clock starts (the first
// writer keeps them open). Each repetition is a fresh writer, as each run of the command is, so it
// makes its records and code look-ups from the open tables again.
void WriteTenTablesCsvInProcess(benchmark::State& state) {
    vel::ReferenceSystem system(site(), 1);
    const QString target = outputFolder(QStringLiteral("in-process"));
    const auto writeAll = [&](vel::ValidationTableWriter& writer) {
        for (const vel::ValidationTableInfo& info : vel::validationTables()) {
            writer.write(info.table, QStringLiteral("CSV"), target + u'/' + info.baseName + ".csv",
                         {});
        }
    };
    vel::ValidationTableWriter opener(system);
    writeAll(opener);
    for (auto _ : state) {
        vel::ValidationTableWriter writer(system);
        writeAll(writer);
    }
}
BENCHMARK(WriteTenTablesCsvInProcess)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(1)
    ->Repetitions(vel::bench::childRepetitions);

}  // namespace

int main(int argc, char** argv) {
    vel::bench::runOnLargeDemoSiteOfChild(
        argc, argv, folder,
        {{"ExportTablesCsvCommand", "Sqlite3WritesTheSameRowsAsCsv"},
         {"ExportTablesXlsxCommand", "ExportTablesCsvCommand"},
         {"WriteTenTablesCsvInProcess", "Sqlite3WritesTheSameRowsAsCsv"}});
    return 0;
}
