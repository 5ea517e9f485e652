// The weekly accountability export for every associate of the large demo site (the last
// complete week, its ramp-up year, CSV and DBF), the summing alone, and sqlite3 writing the same
// rows as CSV from a database holding them (loaded once, before timing). Goal: the export under
// one second; report our CSV export / sqlite3.
#include "BenchSupport.h"

#include "data/RecordedWork.h"
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "reports/AccountabilityExport.h"
#include "reports/AccountabilityLines.h"
#include "reports/AccountabilitySettings.h"
#include "ui/HeadlessUi.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

namespace {

using vel::bench::runSqlite;

QTemporaryDir* folder = nullptr;
vel::ReferenceSystem* largeSite = nullptr;

vel::AccountabilityPeriod lastCompleteWeek() {
    vel::RecordedWork& work = largeSite->recordedWork();
    return vel::accountabilityPeriod(vel::WeeklyReport, work.lastDate().addDays(-7),
                                     work.fiscalCalendar(), vel::AccountabilitySettings());
}

vel::AccountabilityReport build() {
    return vel::buildAccountabilityReport(*largeSite, lastCompleteWeek(),
                                          vel::AccountabilitySettings(), vel::ReportGrouping::None,
                                          vel::AccountabilitySort::Name);
}

void exportWeek(benchmark::State& state, const QString& type) {
    const QString path = folder->filePath(QStringLiteral("WeeklyAccountable.") + type.toLower());
    qint64 rows = 0;
    for (auto _ : state) {
        const vel::AccountabilityReport report = build();
        if (!vel::exportAccountability(report, QStringLiteral("LARGE"), type, path).ok()) {
            state.SkipWithError("the export failed");
            return;
        }
        rows = 0;
        for (const auto& group : report.groups) {
            for (const auto& associate : group.associates) {
                rows += qint64(associate.lines.size());
            }
        }
    }
    state.counters["rows"] = double(rows);
}

void WeeklyAccountabilityExportCsv(benchmark::State& state) {
    exportWeek(state, QStringLiteral("CSV"));
}
BENCHMARK(WeeklyAccountabilityExportCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

void WeeklyAccountabilityExportDbf(benchmark::State& state) {
    exportWeek(state, QStringLiteral("DBF"));
}
BENCHMARK(WeeklyAccountabilityExportDbf)->Unit(benchmark::kMillisecond)->Iterations(5);

// The figures of the week and of its ramp-up period, without building or writing anything.
void WeekAndRampUpFiguresOnly(benchmark::State& state) {
    const vel::AccountabilityPeriod period = lastCompleteWeek();
    vel::RecordedWork& work = largeSite->recordedWork();
    for (auto _ : state) {
        benchmark::DoNotOptimize(work.figures(vel::AccountLevel::Associate, period.first,
                                              period.last, {.ppaOnly = true}, true));
        benchmark::DoNotOptimize(work.figures(vel::AccountLevel::Associate, period.rampUpFirst,
                                              period.rampUpCountedLast, {.ppaOnly = true}, true));
    }
}
BENCHMARK(WeekAndRampUpFiguresOnly)->Unit(benchmark::kMillisecond)->Iterations(5);

void Sqlite3WritesTheSameRowsAsCsv(benchmark::State& state) {
    const QString source = folder->filePath(QStringLiteral("WeeklyAccountable.csv"));
    if (!QFile::exists(source)) {
        exportAccountability(build(), QStringLiteral("LARGE"), QStringLiteral("CSV"), source);
    }
    const QString database = folder->filePath(QStringLiteral("week.db"));
    if (!QFile::exists(database) &&
        runSqlite({database}, ".import --csv '" + source.toUtf8() + "' week\n") != 0) {
        state.SkipWithError("sqlite3 could not load the rows");
        return;
    }
    const QByteArray script = ".once '" + folder->filePath(QStringLiteral("sqlite.csv")).toUtf8() +
                              "'\nSELECT * FROM week;\n";
    for (auto _ : state) {
        if (runSqlite({QStringLiteral("-csv"), QStringLiteral("-header"), database}, script) != 0) {
            state.SkipWithError("sqlite3 failed");
            return;
        }
    }
}
BENCHMARK(Sqlite3WritesTheSameRowsAsCsv)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    return vel::bench::runOnLargeDemoSite(
        argc, argv, folder, largeSite,
        {{"WeeklyAccountabilityExportCsv", "Sqlite3WritesTheSameRowsAsCsv"}});
}
