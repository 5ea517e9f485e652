// Importing 50,000 new associates into the small demo site through the associate import, then the
// same file again (every line an update), against sqlite3's ".import" of the same file into a
// table with a unique index on the code, run in the same program. Each import starts from a fresh
// copy of the site, made outside the timing. Report: import time / sqlite3 time.
#include "data/records/WorkCenterRecord.h"
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "maintenance/AssociateImport.h"
#include "services/IniSettings.h"
#include "ui/HeadlessUi.h"
#include "ui/MessageBoxCodes.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

constexpr int associateCount = 50000;

QTemporaryDir& benchFolder() {
    static QTemporaryDir folder;
    return folder;
}
QString demoSite() { return benchFolder().filePath(QStringLiteral("demo")); }
QString importFile() { return benchFolder().filePath(QStringLiteral("assoc.csv")); }

// The demo site (room for the new associates) and the import file, made once.
void prepare() {
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
    vel::ReferenceSystem system(demoSite(), 1);
    system.workCenters().open();
    const QString center = system.workCenters().code(1).trimmed();
    QFile file(importFile());
    file.open(QIODevice::WriteOnly);
    for (int index = 0; index < associateCount; ++index) {
        file.write(QStringLiteral("N%1,LASTNAME%1,First,%2,123-45-6789,B%1,,,,,1,2024/01/15,15.25,1.0,,Y,N,0,,Y,N\n")
                       .arg(index, 5, 10, QLatin1Char('0'))
                       .arg(center)
                       .toUtf8());
    }
}

// A fresh copy of the demo site to import into.
QString freshSite() {
    const QString copy = benchFolder().filePath(QStringLiteral("copy"));
    QDir(copy).removeRecursively();
    QDir().mkpath(copy);
    for (const QFileInfo& entry : QDir(demoSite()).entryInfoList(QDir::Files)) {
        QFile::copy(entry.filePath(), copy + QStringLiteral("/") + entry.fileName());
    }
    return copy;
}

bool importOnce(const QString& site) {
    vel::HeadlessUi ui;
    vel::ScopedUi scope(ui);
    ui.answerAlways(QStringLiteral("Importing Complete"), vel::IDOK);
    vel::ReferenceSystem system(site, 1);
    vel::AssociateImport import(system, QDate(2024, 3, 13));
    return import.importUpdates({importFile(), 0, 0, false, {}}) &&
           import.counts().skipped == 0;
}

void ImportNewAssociates(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        state.PauseTiming();
        const QString site = freshSite();
        state.ResumeTiming();
        if (!importOnce(site)) {
            state.SkipWithError("the import failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * associateCount);
}
BENCHMARK(ImportNewAssociates)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void ImportTheSameFileAgain(benchmark::State& state) {
    prepare();
    for (auto _ : state) {
        state.PauseTiming();
        const QString site = freshSite();
        importOnce(site);
        state.ResumeTiming();
        if (!importOnce(site)) {
            state.SkipWithError("the import failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * associateCount);
}
BENCHMARK(ImportTheSameFileAgain)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

void Sqlite3ImportWithUniqueCode(benchmark::State& state) {
    prepare();
    const QString database = benchFolder().filePath(QStringLiteral("import.db"));
    QString columns = QStringLiteral("code TEXT PRIMARY KEY");
    for (int column = 2; column <= 21; ++column) {
        columns += QStringLiteral(", c%1").arg(column);
    }
    for (auto _ : state) {
        state.PauseTiming();
        QFile::remove(database);
        QProcess create;
        create.start(QStringLiteral("sqlite3"),
                     {database, QStringLiteral("CREATE TABLE a(%1);").arg(columns)});
        create.waitForFinished(60000);
        state.ResumeTiming();
        QProcess process;
        process.start(QStringLiteral("sqlite3"), {database, QStringLiteral(".mode csv"),
                                                  QStringLiteral(".import %1 a").arg(importFile())});
        if (!process.waitForFinished(120000) || process.exitCode() != 0) {
            state.SkipWithError("sqlite3 failed");
            return;
        }
    }
    state.SetItemsProcessed(state.iterations() * associateCount);
}
BENCHMARK(Sqlite3ImportWithUniqueCode)->Unit(benchmark::kMillisecond)->Iterations(2)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
