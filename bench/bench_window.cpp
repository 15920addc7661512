// bench: needs-qt
// One animation tick as the main window pays it: TMainForm::Timer1Timer
// (solve, clear, draw the picture, hand it to the picture view) and then the
// view's repaint into the window's backing store, on the offscreen platform so
// no X server takes part. Target: median at most 0.3 ms on the 2-core build
// machine. The window is measured at its start size and filling a
// 1280 x 1024 screen, without and with a reference design ("Compare with...").
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>

#include "app/Windows.h"
#include "main/Main.h"
#include "platform/Clock.h"
#include "platform/Sound.h"

using namespace tevrane;

namespace {

// Counts the picture view's paint events, so the benchmark shows that each
// tick really reached the window.
class PaintCounter : public QObject {
public:
    int paints = 0;
    bool eventFilter(QObject*, QEvent* e) override {
        if (e->type() == QEvent::Paint) ++paints;
        return false;
    }
};

void BM_WindowTick(benchmark::State& state) {
    Model m;
    Panel p;
    MainController c(m, p);
    NullSound sound;
    FixedClock clock{"07/12/2026", "10:00:00"};
    WindowRegistry windows{windowRows()};  // no other window: the tick alone
    TMainForm form(m, p, c, windows, sound, clock);
    form.windowsCreated();
    // 0: the start size; 1: 1280 x 1024; 2: a 2560 x 1440 screen filled,
    // with the gear fitted to it (the largest picture the tick draws).
    if (state.range(0) == 1) form.resize(1280, 1024);
    if (state.range(0) == 2) form.resize(2560, 1440);
    form.show();
    QCoreApplication::processEvents();
    if (state.range(0) == 2) form.FitClick();
    if (state.range(1) == 1) {
        // "Compare with..." a design whose valve rod and cylinder line
        // differ: its gear is solved and drawn in grey under the live one.
        Model reference;
        initModel(reference);
        reference.valveRodLength += 0.25f;
        reference.pivotY[kCrosshead] += 0.2f;
        c.compareWith(reference, reference.revArmCentre(), "reference");
    }
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    PaintCounter counter;
    form.view()->installEventFilter(&counter);
    for (auto _ : state) {
        form.Timer1Timer();
        // The repaint the tick asked for, without running the window's
        // timer: only the posted events are delivered.
        QCoreApplication::sendPostedEvents();
    }
    form.view()->removeEventFilter(&counter);
    state.counters["paints_per_tick"] = benchmark::Counter(
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations()));
}
// The second argument: 1 with a reference design drawn under the live gear.
BENCHMARK(BM_WindowTick)
    ->ArgNames({"full_screen", "reference"})
    ->Args({0, 0})->Args({1, 0})->Args({2, 0})->Args({0, 1})->Args({1, 1})->Args({2, 1})
    ->Unit(benchmark::kMicrosecond);

}  // namespace

int main(int argc, char** argv) {
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM")) qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
