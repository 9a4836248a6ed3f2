#include "bench/Comparisons.h"
#include "bench/MaximalFixture.h"
#include "channels/Form2.h"
#include "common/Public.h"
#include "platform/Desktop.h"
#include "ranges/Form3_1.h"
#include "shell/Startup.h"

#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLineEdit>
#include <benchmark/benchmark.h>

namespace {

// The most a line box holds.
constexpr qsizetype PastedLength = 32767;

QString longFormula() {
    return QStringLiteral("(c-a)*255/(b-a)+").repeated(PastedLength / 16 + 1).left(PastedLength);
}

// Answers every message at once, as the user would with OK, and counts them.
class AnsweringDesktop : public platform::RealDesktop {
public:
    platform::MsgResult showMessage(const platform::MessageRequest&) override {
        ++shown;
        return platform::MsgResult::Ok;
    }
    int shown = 0;
};

AnsweringDesktop& answeringDesktop() {
    static AnsweringDesktop desktop;
    return desktop;
}

// The range editor in add mode on its first channel, its formula box empty and focused.
platform::TextBox& formulaBox() {
    common::Public().ChannelCount = 512;
    channels::Form2& page = platform::window<channels::Form2>();
    page.resizeGrid(512);
    page.writeRowsToGrid(bench::maximalFixture(bench::Names::Ascii).fixture.rows);
    auto& editor = platform::window<ranges::Form3_1>();
    editor.Show();
    editor.List1->userPick(0);
    editor.Command1->userClick();
    editor.Text4->userFocus();
    QCoreApplication::processEvents();
    return *editor.Text4;
}

// Ctrl+V in the formula box, as the user presses it, and the box painted after it.
void PasteIntoFormulaBox(benchmark::State& state, const QString& pasted) {
    platform::TextBox& box = formulaBox();
    QApplication::clipboard()->setText(pasted);
    AnsweringDesktop& desktop = answeringDesktop();
    desktop.shown = 0;
    qsizetype kept = 0;
    for (auto _ : state) {
        QKeyEvent press(QEvent::KeyPress, Qt::Key_V, Qt::ControlModifier);
        QApplication::sendEvent(&box, &press);
        QCoreApplication::processEvents();
        state.PauseTiming();
        kept = box.Text().size();
        box.setText(QString());
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    state.counters["kept"] = static_cast<double>(kept);
    state.counters["messages"] =
        static_cast<double>(desktop.shown) / static_cast<double>(state.iterations());
}

void PasteFormula(benchmark::State& state) {
    PasteIntoFormulaBox(state, longFormula());
}

// A refused character first: the box's ASCII rule then takes every character after it away.
void PasteRefusedFormula(benchmark::State& state) {
    PasteIntoFormulaBox(state, QStringLiteral("中") + longFormula().left(PastedLength - 1));
}

// The floor: the same text set at once into a bare line box of the same size, and painted.
void SetBareLineBox(benchmark::State& state) {
    const platform::TextBox& formula = formulaBox();
    QWidget window;
    QLineEdit bare(&window);
    bare.setMaxLength(static_cast<int>(PastedLength));
    bare.setFont(formula.font());
    bare.setGeometry(formula.geometry());
    window.show();
    const QString text = longFormula();
    for (auto _ : state) {
        bare.setText(text);
        QCoreApplication::processEvents();
        state.PauseTiming();
        bare.clear();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
}

BENCHMARK(PasteFormula)->Unit(benchmark::kMillisecond)->Apply(bench::Repeated);
BENCHMARK(PasteRefusedFormula)->Unit(benchmark::kMillisecond)->Apply(bench::Repeated);
BENCHMARK(SetBareLineBox)->Unit(benchmark::kMillisecond)->Apply(bench::Repeated);

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    shell::prepareApplication(app);
    platform::setDesktop(&answeringDesktop());
    return bench::runComparisons(
        argc, argv,
        {{.subject = "PasteFormula", .floor = "SetBareLineBox", .maxSubjectMs = 50.0},
         {.subject = "PasteRefusedFormula", .floor = "SetBareLineBox", .maxSubjectMs = 50.0}});
}
