#pragma once
// Benchmarks that time one child process per iteration (runChild), five repetitions each: the
// manual time is the child's wall clock; counters give its processor time (cpu_ms, user + system
// from wait4, so a peer tool's own time counts) and its peak memory (peak_MB).
#include "ChildRun.h"

#include <benchmark/benchmark.h>
#include <QFile>
#include <algorithm>
#include <cstdio>

namespace vel::bench {

constexpr int childRepetitions = 5;

inline void oneChildRunEach(benchmark::internal::Benchmark* run) {
    run->Unit(benchmark::kMillisecond)
        ->Iterations(1)
        ->Repetitions(childRepetitions)
        ->UseManualTime();
}

// Times one child run per iteration; setUp runs before it, outside the timing. When the child
// fails, the end of what it printed (transcript, its standard output) is shown.
template <typename SetUp, typename Run>
void timeChild(benchmark::State& state, qint64 items, const QString& transcript, SetUp setUp,
               Run run) {
    double peak = 0;
    double cpu = 0;
    for (auto _ : state) {
        setUp();
        const ChildRun result = run();
        if (result.exitCode != 0) {
            QFile output(transcript);
            output.open(QIODevice::ReadOnly);
            const QByteArray printed = output.readAll();
            std::fprintf(stderr, "exit code %d; the last lines it printed:\n%s\n", result.exitCode,
                         printed.right(2000).constData());
            state.SkipWithError("the command failed");
            return;
        }
        state.SetIterationTime(result.realMs / 1000.0);
        peak = std::max(peak, result.peakMb);
        cpu += result.cpuMs;
    }
    state.counters["cpu_ms"] = cpu / double(state.iterations());
    state.counters["peak_MB"] = peak;
    state.SetItemsProcessed(state.iterations() * items);
}

}  // namespace vel::bench
