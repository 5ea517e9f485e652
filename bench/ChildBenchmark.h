#pragma once
// Benchmarks that time one child process per iteration (runChild), five repetitions each: the
// manual time is the child's wall clock; counters give its processor time (cpu_ms, user + system
// from wait4, so a peer tool's own time counts) and its peak memory (peak_MB).
#include "BenchSupport.h"
#include "ChildRun.h"

#include <benchmark/benchmark.h>
#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
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

// The velmor program built beside the benchmark.
inline QString velmorProgram() {
    return QCoreApplication::applicationDirPath() + QStringLiteral("/velmor");
}

// Makes the large demo site in folder with `velmor new-demo`, a child process, so that the
// benchmark itself stays small while the children it times run; stops the program on failure.
inline void makeLargeDemoSite(const QString& folder, const QString& transcript) {
    if (runChild(
            velmorProgram(),
            {QStringLiteral("new-demo"), folder, QStringLiteral("--size"), QStringLiteral("large")},
            {}, transcript)
            .exitCode != 0) {
        qFatal("the large demo site could not be made");
    }
}

// Writes text to a new file at path (a script for a peer tool) and answers the path.
inline QString writtenFile(const QString& path, const QByteArray& text) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size()) {
        qFatal("cannot write %s", qPrintable(path));
    }
    return path;
}

// Runs the registered benchmarks with a headless Ui that answers every message with its default
// button, on a large demo site made by a child process in the folder's "site"; folder points at
// the temporary folder while they run (its "last-run.txt" takes what the children print).
inline void runOnLargeDemoSiteOfChild(int argc, char** argv, QTemporaryDir*& folder,
                                      std::vector<PeerPair> pairs) {
    HeadlessBenchmarkSetting setting(argc, argv);
    folder = &setting.temporary;
    makeLargeDemoSite(setting.temporary.filePath(QStringLiteral("site")),
                      setting.temporary.filePath(QStringLiteral("last-run.txt")));
    runWithPeerRatios(argc, argv, std::move(pairs));
    folder = nullptr;
}

}  // namespace vel::bench
