#pragma once

#include <benchmark/benchmark.h>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// One figure of a benchmark program set against its floor, both measured in the same run.
struct Comparison {
    std::string subject;
    std::string floor;
    // The user counter compared; empty compares the wall time per iteration.
    std::string counter = {};
    std::optional<double> maxRatio = {};      // subject / floor
    std::optional<double> maxDifference = {}; // subject - floor, in the counter's unit
    std::optional<double> maxSubjectMs = {};  // the subject's own time per iteration
};

// Nine repetitions, compared by the fastest, the figure a busy machine disturbs least
// (BENCHMARK(...)->Apply(bench::Repeated)). A benchmark without it is compared by its one run.
void Repeated(benchmark::internal::Benchmark* benchmark);

// Runs the registered benchmarks as the command line asks (their repetitions interleaved at
// random unless it says otherwise), then prints each comparison with its target. Returns 1 when a
// target was missed or a figure is missing, 0 otherwise.
int runComparisons(int argc, char** argv, const std::vector<Comparison>& comparisons);

} // namespace bench
