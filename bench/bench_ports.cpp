// bench: needs-qt
// A whole "BothGraphs" redraw of the port events window: the forward and the
// reverse graph, 2 x 19 rows of 91 driver angles through both solver steps,
// with the frame, event lines, annotation, panel and undo line, drawn into the
// window's 632 x 414 surface through QtCanvas (offscreen).
// Target: median at most 2 ms, so a dynamic-variable click redraws at once.
// A second case runs the same redraw on a canvas that draws nothing, which
// separates the sweep (solver and event search) from the painting.
#include <benchmark/benchmark.h>

#include "QtBenchMain.h"
#include <QImage>

#include <string>
#include <vector>

#include "NullCanvas.h"
#include "diagrams/core/PortsPlot.h"
#include "model/DynVars.h"
#include "model/Model.h"
#include "platform/QtCanvas.h"

namespace {

void setUpModel(tevrane::Model& m) {
    tevrane::initModel(m);
    // The panel and the undo line are drawn too, as while tuning a dimension.
    tevrane::commitEdit(m, 3, tevrane::dimensionName(3), m.mainRodLength, m.mainRodLength);
    m.dynVarsVisible = true;
    m.undoEnabled = true;
    m.portGraphMode = 'B';
}

void BM_PortsBothGraphsSweepOnly(benchmark::State& state) {
    tevrane::Model m;
    setUpModel(m);
    NullCanvas canvas;
    for (auto _ : state) benchmark::DoNotOptimize(tevrane::drawPorts(m, canvas, true, advanceUndoLine(m)));
}
BENCHMARK(BM_PortsBothGraphsSweepOnly)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_PortsBothGraphs(benchmark::State& state) {
    tevrane::Model m;
    setUpModel(m);
    QImage surface = tevrane::QtCanvas::whiteImage(632, 414);
    for (auto _ : state) {
        tevrane::QtCanvas canvas(surface);
        benchmark::DoNotOptimize(tevrane::drawPorts(m, canvas, true, advanceUndoLine(m)));
        benchmark::DoNotOptimize(surface.constBits());
    }
}
BENCHMARK(BM_PortsBothGraphs)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
