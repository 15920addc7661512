// bench: needs-qt
// The steam display's own frame step and drawing over the ticks of a whole
// turn at the start-up view and step (10 degrees, so 36 ticks a turn and
// every phase of both ends). bench_tick's BM_Tick with steam:0 and steam:1
// gives what it adds to a whole tick. Target: at most 0.2 ms.
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
    NullRendererHost host;
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
