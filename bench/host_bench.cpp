// Opening the large demo site through the reference host and reading every record of every
// master table, against a plain scan of the same files with the xBase layer alone. The site is
// generated once, before the benchmarks run. Report: host time / plain scan time.
#include "PeerRatio.h"
#include "data/TableCatalogue.h"
#include "data/records/ActivityRecord.h"
#include "data/records/AllocationRecord.h"
#include "data/records/AssociateRecord.h"
#include "data/records/ElementRecord.h"
#include "data/records/MistakeRecord.h"
#include "data/records/TypeOfWorkRecord.h"
#include "data/records/WorkCenterRecord.h"
#include "host/DemoSite.h"
#include "host/ReferenceSystem.h"
#include "platform/xbase/Table.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QDir>
#include <QTemporaryDir>

namespace {

QTemporaryDir* site = nullptr;

template <class Record>
long long readAll(vel::Table<Record>& table) {
    long long active = 0;
    if (!table.open()) {
        return -1;
    }
    for (int number = 1; number <= table.recordCount(); ++number) {
        Record record = table.record(number);
        benchmark::DoNotOptimize(record);
        active += table.isActive(number) ? 1 : 0;
    }
    table.close();
    return active;
}

void HostOpensTheLargeSiteAndReadsEveryMasterTable(benchmark::State& state) {
    for (auto _ : state) {
        vel::ReferenceSystem system(site->path(), 1);
        system.errors().setEchoToStandardError(false);
        long long read = readAll(system.activities()) + readAll(system.elements()) +
                         readAll(system.typesOfWork()) + readAll(system.mistakes()) +
                         readAll(system.allocations()) + readAll(system.associates()) +
                         readAll(system.workCenters());
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(HostOpensTheLargeSiteAndReadsEveryMasterTable)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void PlainXbaseScanOfTheSameFiles(benchmark::State& state) {
    const QStringList files =
        vel::TableCatalogue(site->path(), 1).filesMatching(QStringLiteral("TBVM*.--"));
    for (auto _ : state) {
        long long read = 0;
        for (const QString& name : files) {
            vel::xbase::Table table;
            if (!table
                     .open(QDir(site->path()).filePath(name),
                           vel::xbase::OpenOptions::readOnlyShared())
                     .ok()) {
                state.SkipWithError("a table did not open");
                return;
            }
            for (table.goTop(); !table.eof(); table.skip()) {
                for (int field = 0; field < table.fields().size(); ++field) {
                    read += table.text(field).size();
                }
            }
        }
        benchmark::DoNotOptimize(read);
    }
}
BENCHMARK(PlainXbaseScanOfTheSameFiles)->Unit(benchmark::kMillisecond)->Iterations(5);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    QString error;
    if (!vel::createDemoSite(folder.path(), vel::DemoSize::Large, &error)) {
        fprintf(stderr, "cannot create the large demo site: %s\n", qPrintable(error));
        return 1;
    }
    site = &folder;
    vel::bench::runWithPeerRatios(
        argc, argv,
        {{"HostOpensTheLargeSiteAndReadsEveryMasterTable", "PlainXbaseScanOfTheSameFiles"}});
    return 0;
}
