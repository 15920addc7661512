// One full solve of the default engine as the animation tick runs it: pivots,
// piston and ports, screen conversion and outlines. The driver angle steps on
// every iteration so each solve sees a fresh configuration.
//
// Target: median under 1 microsecond per solve (the tick runs every
// millisecond and the diagrams call the solver for every plotted point).
#include <benchmark/benchmark.h>

#include "model/Format.h"
#include "model/Model.h"
#include "model/Solver.h"

namespace {

void BM_FullSolve(benchmark::State& state) {
    tevrane::Model m;
    tevrane::initModel(m);
    m.revArmPos = m.revArmCentre() + m.revArmNormal;  // full forward gear
    float angle = 0.0f;
    for (auto _ : state) {
        m.driverAngle = angle;
        tevrane::solvePivots(m);
        tevrane::solvePistonAndPorts(m);
        tevrane::pivotsToScreen(m);
        tevrane::computeOutlines(m);
        benchmark::DoNotOptimize(m.pistonTrace);
        benchmark::DoNotOptimize(m.valvePoints);
        benchmark::ClobberMemory();
        angle += 1.0f;
        if (angle >= 360.0f) angle -= 360.0f;
    }
}
BENCHMARK(BM_FullSolve);

}  // namespace

BENCHMARK_MAIN();
