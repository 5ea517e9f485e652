// Summing the long-term history of every associate of the large demo site from the posted
// sums (goal: under 0.5 s), against summing the same weeks from the production-sheet lines
// themselves, and a recalculation of the whole site. The site is generated once, before the
// benchmarks run, and its generation time is printed. Report: posted sums / line scan.
#include "PeerRatio.h"
#include "data/RecordedWork.h"
#include "host/DemoSite.h"
#include "host/PostingRules.h"
#include "host/ReferenceSystem.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <map>

namespace {

QTemporaryDir* site = nullptr;

std::unique_ptr<vel::ReferenceSystem> openSite() {
    auto system = std::make_unique<vel::ReferenceSystem>(site->path(), 1);
    system->errors().setEchoToStandardError(false);
    return system;
}

void LongTermHistoryOfEveryAssociateFromThePostedSums(benchmark::State& state) {
    for (auto _ : state) {
        auto system = openSite();  // nothing cached between the runs
        vel::RecordedWork& work = system->recordedWork();
        const vel::HistoryRange range = work.longTermHistory();
        const auto figures =
            work.figures(vel::AccountLevel::Associate, range.first, range.last, {}, false);
        if (figures.size() < 1000) {
            state.SkipWithError("the history holds too few associates");
            return;
        }
        state.counters["associates"] = double(figures.size());
        state.counters["weeks"] = range.weeks;
    }
}
BENCHMARK(LongTermHistoryOfEveryAssociateFromThePostedSums)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(5);

void LongTermPolicyHistoryPerActivityFromThePostedSums(benchmark::State& state) {
    for (auto _ : state) {
        auto system = openSite();
        vel::RecordedWork& work = system->recordedWork();
        const vel::HistoryRange range = work.longTermHistory();
        vel::WorkSelection policy;
        policy.ppaOnly = true;
        const auto figures =
            work.figures(vel::AccountLevel::Associate, range.first, range.last, policy, true);
        benchmark::DoNotOptimize(figures.data());
    }
}
BENCHMARK(LongTermPolicyHistoryPerActivityFromThePostedSums)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void LongTermHistoryOfEveryAssociateFromTheLines(benchmark::State& state) {
    for (auto _ : state) {
        auto system = openSite();
        vel::RecordedWork& work = system->recordedWork();
        const vel::HistoryRange range = work.longTermHistory();
        vel::PostingRules rules;
        QString error;
        if (!rules.load(*system, &error)) {
            state.SkipWithError("the masters did not load");
            return;
        }
        std::map<int, vel::WorkFigures> sums;
        work.forEachLine(range.first, range.last, [&](const vel::ProductionLineRecord& line) {
            sums[line.Associate] += rules.figuresOf(line);
            return true;
        });
        benchmark::DoNotOptimize(sums.size());
    }
}
BENCHMARK(LongTermHistoryOfEveryAssociateFromTheLines)
    ->Unit(benchmark::kMillisecond)
    ->Iterations(3);

void RecalculateTheWholeSite(benchmark::State& state) {
    for (auto _ : state) {
        auto system = openSite();
        if (!system->recordedWork().recalculate()) {
            state.SkipWithError("the recalculation failed");
            return;
        }
    }
}
BENCHMARK(RecalculateTheWholeSite)->Unit(benchmark::kMillisecond)->Iterations(1);

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication application(argc, argv);
    QTemporaryDir folder;
    QString error;
    QElapsedTimer timer;
    timer.start();
    if (!vel::createDemoSite(folder.path(), vel::DemoSize::Large, &error)) {
        fprintf(stderr, "cannot create the large demo site: %s\n", qPrintable(error));
        return 1;
    }
    fprintf(stderr, "large demo site created in %lld ms\n", timer.elapsed());
    site = &folder;
    vel::bench::runWithPeerRatios(argc, argv,
                                  {{"LongTermHistoryOfEveryAssociateFromThePostedSums",
                                    "LongTermHistoryOfEveryAssociateFromTheLines"}});
    return 0;
}
