#include "bench/Comparisons.h"
#include "bench/MaximalFixture.h"
#include "writer/K36Format.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

using bench::Names;

void buildFile(benchmark::State& state, Names names) {
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
void writeBytes(benchmark::State& state, Names names) {
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

void BuildAsciiFile(benchmark::State& state) {
    buildFile(state, Names::Ascii);
}
void WriteAsciiBytes(benchmark::State& state) {
    writeBytes(state, Names::Ascii);
}
void BuildChineseFile(benchmark::State& state) {
    buildFile(state, Names::Chinese);
}
void WriteChineseBytes(benchmark::State& state) {
    writeBytes(state, Names::Chinese);
}

BENCHMARK(BuildAsciiFile)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(WriteAsciiBytes)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(BuildChineseFile)->Unit(benchmark::kMicrosecond)->Repetitions(9);
BENCHMARK(WriteChineseBytes)->Unit(benchmark::kMicrosecond)->Repetitions(9);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return bench::runComparisons(
        argc, argv,
        {{.subject = "BuildAsciiFile", .floor = "WriteAsciiBytes", .maxRatio = 2.0},
         {.subject = "BuildChineseFile", .floor = "WriteChineseBytes", .maxRatio = 2.0}});
}
