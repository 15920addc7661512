// bench: needs-qt
// Full redraws of the oval and the sine diagram as their windows do them:
// clear the 632 x 426 (oval) or 632 x 414 (sine) surface, then frame, scale,
// threshold lines, one curve per reverse-arm position (46 or 67 pivot solves
// each), the mid-gear table, the panel and the undo line, through QtCanvas
// (offscreen). With the default three positions and with all nine.
// Target: median at most 2 ms, so a dynamic-variable click redraws at once.
// And at the largest vertical scale the positions dialog and a design file
// allow (1000), where the scale's ticks are thinned to what its pixels can
// show: the same redraw, well under 50 ms (it froze the window for seconds
// before the scale had a limit).
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"
#include <QImage>

#include "diagrams/core/OvalPlot.h"
#include "diagrams/core/SinePlot.h"
#include "model/DynVars.h"
#include "model/Model.h"
#include "platform/QtCanvas.h"

namespace {

void setUpModel(tevrane::Model& m, int positions) {
    tevrane::initModel(m);
    // The three positions the centring sets, as the positions dialog counts
    // them; for nine, six more settings spread over the reverse arm's travel.
    for (int k = 4; k <= 9; ++k)
        m.revArmSet[k] = m.revArmCentre() + (k % 2 == 0 ? 1.0f : -1.0f) * 0.2f * static_cast<float>(k / 2);
    m.revArmSetCount = positions;
    // The panel and the undo line are drawn too, as while tuning a dimension.
    tevrane::commitEdit(m, 3, tevrane::dimensionName(3), m.mainRodLength, m.mainRodLength);
    m.dynVarsVisible = true;
    m.undoEnabled = true;
}

template <tevrane::DiagramControls (*Draw)(const tevrane::Model&, tevrane::Canvas&,
                                          const tevrane::UndoLines&)>
void BM_Redraw(benchmark::State& state, int height, float verticalScale = 1.5f) {
    tevrane::Model m;
    setUpModel(m, static_cast<int>(state.range(0)));
    m.diagramVScale = verticalScale;
    QImage surface = tevrane::QtCanvas::whiteImage(632, height);
    for (auto _ : state) {
        tevrane::QtCanvas canvas(surface);
        canvas.clear(tevrane::colours::white);
        // The window's step before each pass, then the drawing.
        benchmark::DoNotOptimize(Draw(m, canvas, tevrane::advanceUndoLine(m)));
        benchmark::DoNotOptimize(surface.constBits());
    }
}

void BM_OvalRedraw(benchmark::State& state) { BM_Redraw<&tevrane::drawOval>(state, 426); }
void BM_SineRedraw(benchmark::State& state) { BM_Redraw<&tevrane::drawSine>(state, 414); }
void BM_OvalRedrawLargestScale(benchmark::State& state) {
    BM_Redraw<&tevrane::drawOval>(state, 426, tevrane::kMaxDiagramVScale);
}

BENCHMARK(BM_OvalRedraw)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_SineRedraw)->Arg(3)->Arg(9)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);
BENCHMARK(BM_OvalRedrawLargestScale)->Arg(9)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
