// bench: needs-qt
// What the steam display adds to an animation tick at the start-up view and
// step (10 degrees, so 36 ticks a turn and every phase of both ends).
// BM_TickSteam is bench_tick's tick with the display off (steam:0) and on
// (steam:1); BM_SteamLayers is the display's own frame step and drawing over
// the ticks of a whole turn. Target: the steam adds at most 0.2 ms to a tick.
#include <benchmark/benchmark.h>

#include <vector>

#include "QtBenchMain.h"

#include "main/core/MainController.h"
#include "main/core/Renderer.h"
#include "main/core/SteamDisplay.h"
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

void BM_TickSteam(benchmark::State& state) {
    Model m;
    Panel p;
    initModel(m);
    initPanel(m, p);
    MainController c(m, p);
    m.steamDisplay = state.range(0) != 0;
    RenderState rs;
    NullHost host;
    const FrameClock clock{"07/12/2026", "10:00:00"};
    QImage picture = QtCanvas::whiteImage();
    for (auto _ : state) {
        c.tick();
        picture.fill(Qt::white);
        QtCanvas canvas(picture);
        drawFrame(m, rs, canvas, host, clock);
        benchmark::DoNotOptimize(picture.constBits());
    }
}
BENCHMARK(BM_TickSteam)->ArgName("steam")->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_SteamLayers(benchmark::State& state) {
    // The models of one turn, solved beforehand, so only the steam is timed.
    Model m;
    Panel p;
    initModel(m);
    initPanel(m, p);
    MainController c(m, p);
    std::vector<Model> turn;
    for (int i = 0; i < 36; ++i) {
        c.tick();
        turn.push_back(m);
    }
    SteamState st;
    NullHost host;
    QImage picture = QtCanvas::whiteImage();
    std::size_t i = 0;
    long pixels = 0;
    for (auto _ : state) {
        const Model& frame = turn[i++ % turn.size()];
        advanceSteam(frame, st, host);
        QtCanvas canvas(picture);
        drawSteam(frame, st, canvas);
        pixels += st.front.pixels + st.rear.pixels;
        benchmark::DoNotOptimize(picture.constBits());
    }
    state.counters["end_pixels"] =
        benchmark::Counter(static_cast<double>(pixels), benchmark::Counter::kAvgIterations);
}
BENCHMARK(BM_SteamLayers)->Unit(benchmark::kMicrosecond);
}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
