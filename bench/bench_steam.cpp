// bench: needs-qt
// A whole redraw of the steam diagram into its window's 632 x 414 surface
// through QtCanvas (offscreen): the frame, 150 driver steps per reverse-arm
// position through both solver steps, the two indicator curves, cut-off list,
// curve labels, panel and undo line. Once with the three positions the
// defaults give (450 solves), once with all nine (1350).
// Target: median at most 2 ms, so a dynamic-variable click redraws at once.
// A canvas that draws nothing separates the simulation from the painting.
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"
#include <QImage>

#include <string>
#include <vector>

#include "NullCanvas.h"
#include "diagrams/core/SteamPlot.h"
#include "model/DynVars.h"
#include "model/Model.h"
#include "platform/QtCanvas.h"

namespace {

// positions: 3 gives mid gear, normal forward and normal reverse as the
// positions dialog leaves them; 9 adds six more across the whole travel.
void setUpModel(tevrane::Model& m, int positions) {
    tevrane::initModel(m);
    for (int k = 4; k <= positions; ++k)
        m.revArmSet[k] = m.revArmCentre() + (k % 2 ? 1.0f : -1.0f) * m.revArmMax * static_cast<float>(k - 3) / 6.0f;
    m.revArmSetCount = positions;
    // The panel and the undo line are drawn too, as while tuning a dimension.
    tevrane::commitEdit(m, 3, tevrane::dimensionName(3), m.mainRodLength, m.mainRodLength);
    m.dynVarsVisible = true;
    m.undoEnabled = true;
}

void BM_SteamSimulationOnly(benchmark::State& state) {
    tevrane::Model m;
    setUpModel(m, static_cast<int>(state.range(0)));
    NullCanvas canvas;
    for (auto _ : state) benchmark::DoNotOptimize(tevrane::drawSteamDiagram(m, canvas, advanceUndoLine(m)));
}
BENCHMARK(BM_SteamSimulationOnly)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_SteamRedraw(benchmark::State& state) {
    tevrane::Model m;
    setUpModel(m, static_cast<int>(state.range(0)));
    QImage surface = tevrane::QtCanvas::whiteImage(632, 414);
    for (auto _ : state) {
        tevrane::QtCanvas canvas(surface);
        canvas.clear(tevrane::colours::white);
        benchmark::DoNotOptimize(tevrane::drawSteamDiagram(m, canvas, advanceUndoLine(m)));
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_SteamRedraw)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
