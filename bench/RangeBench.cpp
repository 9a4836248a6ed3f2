#include "bench/Comparisons.h"
#include "ranges/RangeIntervals.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

constexpr int Operations = 10000;

// One step of the run: an interval added with its texts, or cleared.
struct Operation {
    bool add = true;
    ranges::NewInterval interval;
};

// The same seeded run every time: two adds to every clear, each 1 to 16 values wide anywhere in
// 0..255, so the table stays full of entries that the next interval trims, splits or removes.
std::vector<Operation> randomOperations() {
    std::mt19937 random(36);
    std::uniform_int_distribution<int> value(ranges::LowestValue, ranges::HighestValue);
    std::uniform_int_distribution<int> width(0, 15);
    std::uniform_int_distribution<int> kind(0, 2);
    std::vector<Operation> operations;
    for (int i = 0; i < Operations; ++i) {
        Operation operation;
        operation.interval.from = value(random);
        operation.interval.to =
            std::min(operation.interval.from + width(random), ranges::HighestValue);
        operation.interval.description = QStringLiteral("Step %1").arg(i);
        operation.interval.formula = QStringLiteral("c-a");
        operation.add = kind(random) != 0;
        operations.push_back(operation);
    }
    return operations;
}

void AddAndClear(benchmark::State& state) {
    const std::vector<Operation> operations = randomOperations();
    size_t entries = 0;
    for (auto _ : state) {
        ranges::RangeGrid grid;
        for (const Operation& operation : operations) {
            if (operation.add)
                ranges::AddInterval(grid, operation.interval);
            else
                ranges::ClearInterval(grid, operation.interval.from, operation.interval.to);
        }
        entries = grid.entries.size();
        benchmark::DoNotOptimize(grid.entries.data());
    }
    state.counters["entries"] = static_cast<double>(entries);
}

// The floor: every added interval written into the table as it comes, no trimming, splitting
// or order kept.
void AppendOnly(benchmark::State& state) {
    const std::vector<Operation> operations = randomOperations();
    for (auto _ : state) {
        ranges::RangeEntries entries;
        for (const Operation& operation : operations) {
            if (operation.add)
                entries.push_back({operation.interval.from, operation.interval.to,
                                   operation.interval.description, operation.interval.formula});
        }
        benchmark::DoNotOptimize(entries.data());
    }
}

BENCHMARK(AddAndClear)->Unit(benchmark::kMicrosecond)->Apply(bench::Repeated);
BENCHMARK(AppendOnly)->Unit(benchmark::kMicrosecond)->Apply(bench::Repeated);

} // namespace

int main(int argc, char** argv) {
    return bench::runComparisons(argc, argv, {{.subject = "AddAndClear", .floor = "AppendOnly"}});
}
