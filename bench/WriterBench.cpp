#include "bench/Comparisons.h"
#include "bench/MaximalFixture.h"
#include "writer/K36Format.h"
#include "writer/SaveFixture.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using bench::Names;

void BuildFile(benchmark::State& state, Names names) {
    bench::MaximalFixture maximal = bench::maximalFixture(names);
    qsizetype bytes = 0;
    for (auto _ : state) {
        const writer::FixtureFile file = writer::BuildFixtureFile(maximal.fixture, maximal.stores);
        if (file.failure)
            state.SkipWithError("the maximal fixture did not build");
        bytes = file.bytes.size();
        benchmark::DoNotOptimize(file.bytes.data());
    }
    state.counters["KB"] = static_cast<double>(bytes) / 1024.0;
}

// The floor: the same bytes written to a new file, as a save writes them before it renames the
// file into place. The file is removed again outside the measured time.
void WriteBytes(benchmark::State& state, Names names) {
    bench::MaximalFixture maximal = bench::maximalFixture(names);
    const QByteArray bytes = writer::BuildFixtureFile(maximal.fixture, maximal.stores).bytes;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fixture.K36"));
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::WriteOnly | QIODevice::NewOnly) ||
            file.write(bytes) != bytes.size())
            state.SkipWithError("the file could not be written");
        file.close();
        state.PauseTiming();
        QFile::remove(path);
        state.ResumeTiming();
    }
    state.counters["KB"] = static_cast<double>(bytes.size()) / 1024.0;
}

// For scale: the same bytes saved as the editor saves a file, synced to the disk and renamed into
// place over the file of the run before.
void SaveBytes(benchmark::State& state, Names names) {
    bench::MaximalFixture maximal = bench::maximalFixture(names);
    const QByteArray bytes = writer::BuildFixtureFile(maximal.fixture, maximal.stores).bytes;
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("fixture.K36"));
    for (auto _ : state) {
        if (writer::WriteFileAtomically(path, bytes))
            state.SkipWithError("the file could not be saved");
    }
}

BENCHMARK_CAPTURE(BuildFile, Ascii, Names::Ascii)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(SaveBytes, Ascii, Names::Ascii)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(WriteBytes, Ascii, Names::Ascii)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(BuildFile, Chinese, Names::Chinese)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(WriteBytes, Chinese, Names::Chinese)
    ->Unit(benchmark::kMicrosecond)
    ->Apply(bench::Repeated);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return bench::runComparisons(
        argc, argv,
        {{.subject = "BuildFile/Ascii", .floor = "WriteBytes/Ascii", .maxRatio = 2.0},
         {.subject = "BuildFile/Ascii", .floor = "SaveBytes/Ascii"},
         {.subject = "BuildFile/Chinese", .floor = "WriteBytes/Chinese", .maxRatio = 2.0}});
}
