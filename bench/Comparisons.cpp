#include "bench/Comparisons.h"

#include <algorithm>
#include <benchmark/benchmark.h>
#include <cstdio>
#include <map>
#include <unistd.h>

namespace bench {

namespace {

struct Figures {
    double secondsPerIteration = 0;
    std::map<std::string, double> counters;
};

// Of a benchmark's figures a comparison takes the fastest repetition's over its one run.
int preference(const std::string& aggregate) {
    return aggregate == "min" ? 1 : -1;
}

// Shows what the console shows and keeps, per benchmark, the figures that its comparisons take.
class CollectingReporter : public benchmark::ConsoleReporter {
public:
    CollectingReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_ColorTabular : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const int rank = run.run_type == Run::RT_Aggregate ? preference(run.aggregate_name) : 0;
            const std::string name = run.run_name.function_name;
            if (run.error_occurred || rank < 0 || (ranks_.count(name) && ranks_[name] > rank))
                continue;
            ranks_[name] = rank;
            Figures& figures = figures_[name];
            figures.secondsPerIteration = run.real_accumulated_time /
                                          static_cast<double>(std::max<int64_t>(run.iterations, 1));
            for (const auto& [counter, value] : run.counters)
                figures.counters[counter] = value.value;
        }
    }
    const Figures* figuresOf(const std::string& name) const {
        const auto found = figures_.find(name);
        return found == figures_.end() ? nullptr : &found->second;
    }

private:
    std::map<std::string, Figures> figures_;
    std::map<std::string, int> ranks_;
};

std::optional<double> valueOf(const Figures& figures, const std::string& counter) {
    if (counter.empty())
        return figures.secondsPerIteration;
    const auto found = figures.counters.find(counter);
    if (found == figures.counters.end())
        return std::nullopt;
    return found->second;
}

bool report(const char* what, double value, std::optional<double> target, const char* unit) {
    const bool met = !target || value <= *target;
    std::printf("  %-12s %10.3f%s", what, value, unit);
    if (target)
        std::printf("   target <= %.3g%s: %s", *target, unit, met ? "met" : "MISSED");
    std::printf("\n");
    return met;
}

} // namespace

void Repeated(benchmark::internal::Benchmark* benchmark) {
    benchmark->Repetitions(9)->ComputeStatistics("min", [](const std::vector<double>& figures) {
        return figures.empty() ? 0 : *std::min_element(figures.begin(), figures.end());
    });
}

int runComparisons(int argc, char** argv, const std::vector<Comparison>& comparisons) {
    // The repetitions of all benchmarks take turns in a random order, so that a change in the
    // machine's load reaches a figure and its floor alike.
    std::vector<char*> args(argv, argv + argc);
    std::string interleave = "--benchmark_enable_random_interleaving=true";
    args.insert(args.begin() + 1, interleave.data());
    argc = static_cast<int>(args.size());
    argv = args.data();
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    CollectingReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    benchmark::Shutdown();

    bool allMet = true;
    for (const Comparison& c : comparisons) {
        const Figures* subject = reporter.figuresOf(c.subject);
        const Figures* floor = reporter.figuresOf(c.floor);
        const auto s = subject ? valueOf(*subject, c.counter) : std::nullopt;
        const auto f = floor ? valueOf(*floor, c.counter) : std::nullopt;
        if (!subject && !floor)
            continue; // left out by a filter
        const std::string measure = c.counter.empty() ? "time" : c.counter;
        std::printf("%s against %s (%s):\n", c.subject.c_str(), c.floor.c_str(), measure.c_str());
        if (!s || !f || *f <= 0) {
            std::printf("  not measured in this run\n");
            allMet = false;
            continue;
        }
        allMet &= report("ratio", *s / *f, c.maxRatio, "x");
        if (c.maxDifference || !c.counter.empty())
            allMet &= report("difference", *s - *f, c.maxDifference, "");
        if (c.counter.empty())
            allMet &= report("subject", *s * 1e3, c.maxSubjectMs, " ms");
    }
    std::fflush(stdout);
    return allMet ? 0 : 1;
}

} // namespace bench
