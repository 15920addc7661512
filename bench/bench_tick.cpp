// bench: needs-qt
// One animation tick of the main window: solve, screen conversion, outlines,
// the driver advance and DrawMechanism into the 1280 x 1024 picture
// (offscreen). Target: median at most 1 ms on the 2-core build machine, so a
// tick costs under 7% of its 15.625 ms period.
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"

#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "model/Model.h"
#include "platform/QtCanvas.h"

using namespace tevrane;

namespace {
class NullHost : public RendererHost {
    void setCaption(CaptionWindow, const std::string&) override {}
    void setUndoButton(bool, int) override {}
    void setErrorItemVisible(bool) override {}
    void setDynVarBarEnabled(int, bool) override {}
    void playSound(const std::string&) override {}
    void setVolume(std::uint32_t) override {}
    void beep() override {}
};

void BM_Tick(benchmark::State& state) {
    Model m;
    Panel p;
    initModel(m);
    initPanel(m, p);
    MainController c(m, p);
    RenderState rs;
    NullHost host;
    const FrameClock clock{"07/12/2026", "10:00:00"};
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    QImage picture = QtCanvas::whiteImage();
    for (auto _ : state) {
        c.tick();
        picture.fill(Qt::white);
        QtCanvas canvas(picture);
        drawFrame(m, rs, canvas, host, clock);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_Tick)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
