// Indicated performance of the default engine, core only.
//
// Target: the Indicated Performance window's whole refresh (both ends' cards
// at the six default notches and the port diagram's 19 settings, both senses:
// what a step of a bar or a changed box recomputes) at most 30 ms.
#include <benchmark/benchmark.h>

#include "DefaultDesign.h"
#include "model/NotchFinder.h"
#include "model/Performance.h"

namespace {

void BM_PerformanceTable(benchmark::State& state) {
    const DefaultDesign d;
    const auto targets = tevrane::defaultNotchTargets();
    const tevrane::PerformanceInputs in;
    for (auto _ : state) benchmark::DoNotOptimize(tevrane::performanceTable(d.engine, d.centre, targets, in));
}
BENCHMARK(BM_PerformanceTable)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
