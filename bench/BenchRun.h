#pragma once

#include <benchmark/benchmark.h>

// Runs the benchmarks the command line selects and reports them to
// `reporter`, or to the console when it is null. Returns the exit status.
inline int runBenchmarks(int argc, char** argv, benchmark::BenchmarkReporter* reporter = nullptr)
{
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks(reporter);
    benchmark::Shutdown();
    return 0;
}
