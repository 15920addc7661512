// bench: needs-qt
// One animation tick as the main window pays it: TMainForm::Timer1Timer
// (solve, clear, draw the picture, hand it to the picture view) and then the
// view's repaint into the window's backing store, on the offscreen platform so
// no X server takes part. Targets on the 2-core build machine: median at most
// 0.3 ms at the start size and at 1280 x 1024, 0.5 ms for a 2560 x 1440
// window, each without and with a reference design ("Compare with...").
// Run it again with QT_SCALE_FACTOR=2 for a screen of two device pixels to a
// window pixel.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEvent>
#include <chrono>

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
    // 0: the start size; 1: 1280 x 1024; 2: a 2560 x 1440 window filled,
    // with the gear fitted to it (the largest picture the tick draws; at
    // QT_SCALE_FACTOR=2 that is 5120 x 2880 device pixels, a 5K screen);
    // 3: a 1280 x 720 window fitted (at QT_SCALE_FACTOR=2, a 2560 x 1440
    // screen at 200 %).
    if (state.range(0) == 1) form.resize(1280, 1024);
    if (state.range(0) == 2) form.resize(2560, 1440);
    if (state.range(0) == 3) form.resize(1280, 720);
    form.show();
    QCoreApplication::processEvents();
    if (state.range(0) >= 2) form.FitClick();
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
    double repaintMicros = 0, repainted = 0;
    PaintCounter counter;
    form.view()->installEventFilter(&counter);
    for (auto _ : state) {
        form.Timer1Timer();
        const auto painted = std::chrono::steady_clock::now();
        // The repaint the tick asked for, without running the window's
        // timer: only the posted events are delivered.
        QCoreApplication::sendPostedEvents();
        repaintMicros += std::chrono::duration<double, std::micro>(std::chrono::steady_clock::now() - painted).count();
        for (const QRect& r : form.view()->lastChange()) repainted += static_cast<double>(r.width()) * r.height();
    }
    // Where the time goes: the window's repaint (the rest is solving and
    // drawing the picture), and how much of the window it repainted.
    const auto n = static_cast<double>(state.iterations());
    state.counters["repaint_us"] = benchmark::Counter(repaintMicros / n);
    state.counters["repainted_px"] = benchmark::Counter(repainted / n);
    form.view()->removeEventFilter(&counter);
    state.counters["paints_per_tick"] = benchmark::Counter(
        static_cast<double>(counter.paints) / static_cast<double>(state.iterations()));
}
// The second argument: 1 with a reference design drawn under the live gear.
BENCHMARK(BM_WindowTick)
    ->ArgNames({"full_screen", "reference"})
    ->Args({0, 0})->Args({1, 0})->Args({2, 0})->Args({3, 0})->Args({0, 1})->Args({1, 1})->Args({2, 1})
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
