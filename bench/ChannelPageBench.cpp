#include "bench/Comparisons.h"
#include "bench/MaximalFixture.h"
#include "channels/Form2.h"
#include "common/Public.h"
#include "platform/Form.h"
#include "platform/Grid.h"
#include "shell/Startup.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>

namespace {

using channels::ChannelColumnCount;

constexpr int Channels = 512;

// The channel page as a user comes back to it: loaded, its grid holding every channel.
channels::Form2& filledChannelPage() {
    common::Public().ChannelCount = Channels;
    channels::Form2& page = platform::window<channels::Form2>();
    page.resizeGrid(Channels);
    page.writeRowsToGrid(bench::maximalFixture(bench::Names::Ascii).fixture.rows);
    page.Show();
    QCoreApplication::processEvents();
    return page;
}

void RebuildOnActivation(benchmark::State& state) {
    channels::Form2& page = filledChannelPage();
    for (auto _ : state) {
        page.Form_Activate();
        state.PauseTiming();
        QCoreApplication::processEvents(); // the repaint it asked for, outside the measure
        state.ResumeTiming();
    }
    page.Hide();
}

// The floor: the page's texts written once into an empty grid of the same size, no rules.
void FillGridOnce(benchmark::State& state) {
    channels::Form2& page = filledChannelPage();
    QStringList texts;
    for (int row = 0; row <= Channels; ++row) {
        for (int col = 0; col < ChannelColumnCount; ++col)
            texts << page.MSFlexGrid1->TextMatrix(row, col);
    }
    page.Hide();
    QWidget window;
    window.show();
    for (auto _ : state) {
        state.PauseTiming();
        auto grid = std::make_unique<platform::Grid>(&window, QStringLiteral("Grid"));
        grid->setCols(ChannelColumnCount);
        grid->setRows(Channels + 1);
        grid->show();
        QCoreApplication::processEvents();
        state.ResumeTiming();
        for (int row = 0, i = 0; row <= Channels; ++row) {
            for (int col = 0; col < ChannelColumnCount; ++col)
                grid->setTextMatrix(row, col, texts[i++]);
        }
        state.PauseTiming();
        QCoreApplication::processEvents();
        grid.reset();
        state.ResumeTiming();
    }
}

BENCHMARK(RebuildOnActivation)->Unit(benchmark::kMillisecond)->Apply(bench::Repeated);
BENCHMARK(FillGridOnce)->Unit(benchmark::kMillisecond)->Apply(bench::Repeated);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    shell::prepareApplication(app);
    return bench::runComparisons(
        argc, argv,
        {{.subject = "RebuildOnActivation", .floor = "FillGridOnce", .maxSubjectMs = 2.0}});
}
