#include "bench/Comparisons.h"

#include <QCoreApplication>
#include <benchmark/benchmark.h>
#include <chrono>
#include <cstdio>
#include <spawn.h>
#include <string>
#include <sys/wait.h>
#include <unistd.h>

extern char** environ;

namespace {

// A probe's first line and the time from its start to that line.
struct ProbeRun {
    std::string line;
    double seconds = 0;
};

std::string probePath(const char* name) {
    return (QCoreApplication::applicationDirPath() + QLatin1Char('/') + QLatin1String(name))
        .toStdString();
}

ProbeRun runProbe(const char* name, const char* mode, const char* window) {
    int out[2];
    if (pipe(out) != 0)
        return {};
    posix_spawn_file_actions_t actions;
    posix_spawn_file_actions_init(&actions);
    posix_spawn_file_actions_adddup2(&actions, out[1], STDOUT_FILENO);
    posix_spawn_file_actions_addclose(&actions, out[0]);
    const std::string path = probePath(name);
    char* args[] = {const_cast<char*>(path.c_str()), const_cast<char*>(mode),
                    const_cast<char*>(window), nullptr};

    ProbeRun run;
    pid_t child = 0;
    const auto start = std::chrono::steady_clock::now();
    const bool started = posix_spawn(&child, path.c_str(), &actions, nullptr, args, environ) == 0;
    close(out[1]);
    if (started) {
        char c = 0;
        while (read(out[0], &c, 1) == 1 && c != '\n')
            run.line += c;
        run.seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        waitpid(child, nullptr, 0);
    }
    close(out[0]);
    posix_spawn_file_actions_destroy(&actions);
    return run;
}

// A probe: the program and the window it shows (the editor ignores the window).
struct Probe {
    const char* program;
    const char* window;
};
constexpr Probe Editor{"probe_editor", ""};
constexpr Probe EmptyWindow{"probe_window", "empty"};
constexpr Probe TextWindow{"probe_window", "text"};

// From the start of the program to its window painted (the editor: its splash window).
void StartUp(benchmark::State& state, Probe probe) {
    for (auto _ : state) {
        const ProbeRun run = runProbe(probe.program, "splash", probe.window);
        if (run.line != "shown") {
            state.SkipWithError("the probe showed no window");
            break;
        }
        state.SetIterationTime(run.seconds);
    }
}

// The peak resident memory once the window is painted (the editor: its main menu).
void PeakMemory(benchmark::State& state, Probe probe) {
    double peakMb = 0;
    for (auto _ : state) {
        const ProbeRun run = runProbe(probe.program, "menu", probe.window);
        const long kb = run.line.empty() ? -1 : std::stol(run.line);
        if (kb <= 0) {
            state.SkipWithError("the probe reported no memory");
            break;
        }
        peakMb = static_cast<double>(kb) / 1024.0;
        state.SetIterationTime(run.seconds);
    }
    state.counters["peak_MB"] = peakMb;
}

BENCHMARK_CAPTURE(StartUp, Editor, Editor)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(StartUp, EmptyWindow, EmptyWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(StartUp, TextWindow, TextWindow)
    ->UseManualTime()
    ->Unit(benchmark::kMillisecond)
    ->Apply(bench::Repeated);
BENCHMARK_CAPTURE(PeakMemory, Editor, Editor)->UseManualTime()->Iterations(3);
BENCHMARK_CAPTURE(PeakMemory, EmptyWindow, EmptyWindow)->UseManualTime()->Iterations(3);
BENCHMARK_CAPTURE(PeakMemory, TextWindow, TextWindow)->UseManualTime()->Iterations(3);

} // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    return bench::runComparisons(
        argc, argv,
        {{.subject = "StartUp/Editor", .floor = "StartUp/EmptyWindow", .maxRatio = 1.1},
         {.subject = "StartUp/Editor", .floor = "StartUp/TextWindow"},
         {.subject = "PeakMemory/Editor",
          .floor = "PeakMemory/EmptyWindow",
          .counter = "peak_MB",
          .maxDifference = 4.0},
         {.subject = "PeakMemory/Editor", .floor = "PeakMemory/TextWindow", .counter = "peak_MB"}});
}
