#pragma once

#include "BenchRun.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

// Runs the registered benchmarks with the console reporter and then prints,
// for every pair (ours, peer) that both ran, the ratio of their real times.
class PeerComparison : public benchmark::ConsoleReporter {
public:
    void pair(std::string ours, std::string peer) { pairs_.emplace_back(std::move(ours), std::move(peer)); }

    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the mean stands for the benchmark.
        for (const Run& run : runs) {
            if (run.run_type == Run::RT_Iteration && !means_.count(run.run_name.str()))
                times_[run.run_name.str()] = run.GetAdjustedRealTime();
            else if (run.run_type == Run::RT_Aggregate && run.aggregate_name == "mean") {
                times_[run.run_name.str()] = run.GetAdjustedRealTime();
                means_[run.run_name.str()] = true;
            }
        }
        ConsoleReporter::ReportRuns(runs);
    }

    int run(int argc, char** argv)
    {
        if (const int status = runBenchmarks(argc, argv, this))
            return status;
        std::printf("\nRatio of real times (ours / peer; below 1 means faster):\n");
        for (const auto& [ours, peer] : pairs_) {
            const auto a = times_.find(ours);
            const auto b = times_.find(peer);
            if (a != times_.end() && b != times_.end() && b->second > 0)
                std::printf("  %-44s / %-44s = %.2f\n", ours.c_str(), peer.c_str(), a->second / b->second);
        }
        return 0;
    }

private:
    std::vector<std::pair<std::string, std::string>> pairs_;
    std::map<std::string, double> times_;
    std::map<std::string, bool> means_;
};
