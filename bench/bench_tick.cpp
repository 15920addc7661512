// bench: needs-qt
// One animation tick of the main window: solve, screen conversion, outlines,
// the driver advance and DrawMechanism into the 1280 x 1024 picture
// (offscreen). Target: median at most 1 ms on the 2-core build machine, so a
// tick costs under 7% of its 15.625 ms period. With the steam display on
// (steam:1) the steam may add at most 0.2 ms.
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"

#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "model/Model.h"
#include "platform/QtCanvas.h"

using namespace tevrane;

namespace {
void BM_Tick(benchmark::State& state) {
    Model m;
    Panel p;
    initModel(m);
    initPanel(m, p);
    MainController c(m, p);
    m.steamDisplay = state.range(0) != 0;
    RenderState rs;
    NullRendererHost host;
    const FrameClock clock{"07/12/2026", "10:00:00"};
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    QImage picture = QtCanvas::whiteImage();
    for (auto _ : state) {
        c.tick();
        picture.fill(Qt::white);
        QtCanvas canvas(picture);
        runFrame(m, rs, canvas, host, clock);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Tick)->ArgName("steam")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
