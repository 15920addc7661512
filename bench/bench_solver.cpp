// One full solve of the default engine as the animation tick runs it: pivots,
// piston and ports, screen conversion and outlines. The driver angle steps on
// every iteration so each solve sees a fresh configuration.
//
// Target: median at most 0.9 microseconds per full solve (the tick runs every
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
        tevrane::solveAll(m);
        benchmark::DoNotOptimize(m.pistonTrace);
        benchmark::DoNotOptimize(m.valvePoints);
        benchmark::ClobberMemory();
        angle += 1.0f;
        if (angle >= 360.0f) angle -= 360.0f;
    }
}
BENCHMARK(BM_FullSolve);

// The pure solve alone, as the diagrams and tables sweep it.
void BM_SolveGear(benchmark::State& state) {
    tevrane::Model m;
    tevrane::initModel(m);
    const tevrane::Engine e = m;
    const float arm = m.revArmCentre() + m.revArmNormal;
    float angle = 0.0f;
    for (auto _ : state) {
        benchmark::DoNotOptimize(tevrane::solveGear(e, angle, arm));
        angle += 1.0f;
        if (angle >= 360.0f) angle -= 360.0f;
    }
}
BENCHMARK(BM_SolveGear);

}  // namespace

BENCHMARK_MAIN();
