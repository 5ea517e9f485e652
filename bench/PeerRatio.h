#pragma once
// A console reporter that remembers each benchmark's median wall time (its only time when it
// ran without repetitions) and, at the end, prints every benchmark's ratio to its peer:
//   ratio ImportNewAssociates/50000 / Sqlite3Import/50000 = 2.41
// and, when both carry a processor-time counter (cpu_ms, as child-process benchmarks do), the
// ratio of those too:
//   cpu ratio ImportNewAssociates/50000 / Sqlite3Import/50000 = 1.93
#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace vel::bench {

struct PeerPair {
    std::string ours;  // "ImportNewAssociates/50000": the function name and its arguments
    std::string peer;
};

class PeerRatioReporter : public benchmark::ConsoleReporter {
  public:
    explicit PeerRatioReporter(std::vector<PeerPair> pairs)
        : ConsoleReporter(OO_Tabular), pairs_(std::move(pairs)) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        for (const Run& run : runs) {
            std::string key = run.run_name.function_name;
            if (!run.run_name.args.empty()) {
                key += "/" + run.run_name.args;
            }
            if (run.error_occurred) {
                continue;
            }
            const bool median = run.run_type == Run::RT_Aggregate && run.aggregate_name == "median";
            if (median || (run.run_type == Run::RT_Iteration && !medians_.contains(key))) {
                times_[key] = run.GetAdjustedRealTime();
                const auto cpu = run.counters.find("cpu_ms");
                if (cpu != run.counters.end()) {
                    cpuTimes_[key] = cpu->second.value;
                }
                if (median) {
                    medians_[key] = true;
                }
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    void Finalize() override {
        for (const PeerPair& pair : pairs_) {
            const auto ours = times_.find(pair.ours);
            const auto peer = times_.find(pair.peer);
            if (ours != times_.end() && peer != times_.end() && peer->second > 0) {
                std::printf("ratio %s / %s = %.2f\n", pair.ours.c_str(), pair.peer.c_str(),
                            ours->second / peer->second);
            }
            const auto oursCpu = cpuTimes_.find(pair.ours);
            const auto peerCpu = cpuTimes_.find(pair.peer);
            if (oursCpu != cpuTimes_.end() && peerCpu != cpuTimes_.end() && peerCpu->second > 0) {
                std::printf("cpu ratio %s / %s = %.2f\n", pair.ours.c_str(), pair.peer.c_str(),
                            oursCpu->second / peerCpu->second);
            }
        }
        std::fflush(stdout);
        ConsoleReporter::Finalize();
    }

  private:
    std::vector<PeerPair> pairs_;
    std::map<std::string, double> times_;
    std::map<std::string, double> cpuTimes_;
    std::map<std::string, bool> medians_;
};

// Runs the registered benchmarks with the reporter above.
inline void runWithPeerRatios(int argc, char** argv, std::vector<PeerPair> pairs) {
    benchmark::Initialize(&argc, argv);
    PeerRatioReporter reporter(std::move(pairs));
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();
}

}  // namespace vel::bench
