// The equaliser, core only.
//
// Targets: the sensitivity table of every dimension that moves the events (32)
// at the six default notches, forward and reverse, with the notch search,
// at most 0.5 s; a tuning run of four free dimensions (valve rod, valve
// lever lower arm, link lower arm, valve lever offset) on the default engine
// with its valve rod 0.05 longer, for equal front and back cut-off at the
// default notches, with the plan's notch search, at most 5 s; the same with
// six free dimensions (those four, the valve lever's upper arm and the link
// pivot's horizontal place) under the default lead guard, including the
// second round at the first round's own notches, at most 1 s.
#include <benchmark/benchmark.h>

#include "DefaultDesign.h"
#include "model/Equaliser.h"
#include "model/Model.h"
#include "model/Sensitivity.h"

namespace {

void BM_SensitivityTable(benchmark::State& state) {
    const DefaultDesign d;
    const auto targets = tevrane::defaultNotchTargets();
    for (auto _ : state) {
        const auto notches = tevrane::notchPoints(d.engine, d.centre, targets);
        benchmark::DoNotOptimize(tevrane::sensitivityTable(d.engine, notches, tevrane::kDefaultSensitivityStep));
    }
}
BENCHMARK(BM_SensitivityTable)->Unit(benchmark::kMillisecond)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_TuneFourDimensions(benchmark::State& state) {
    DefaultDesign d;
    d.engine.valveRodLength += 0.05f;
    const auto targets = tevrane::defaultNotchTargets();
    int evaluations = 0;
    double after = 0;
    for (auto _ : state) {
        const auto plan = tevrane::makePlan(d.engine, d.centre, targets, tevrane::EqualiseGoals{});
        const tevrane::FreeDimension free[] = {tevrane::defaultBounds(d.engine, 16), tevrane::defaultBounds(d.engine, 19),
                                               tevrane::defaultBounds(d.engine, 13), tevrane::defaultBounds(d.engine, 18)};
        const auto r = tevrane::equalise(d.engine, plan, free);
        evaluations = r.evaluations;
        after = r.after.weighted;
        benchmark::DoNotOptimize(r);
    }
    state.counters["evaluations"] = evaluations;
    state.counters["weighted_after"] = after;
}
BENCHMARK(BM_TuneFourDimensions)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

void BM_TuneSixDimensions(benchmark::State& state) {
    DefaultDesign d;
    d.engine.valveRodLength += 0.05f;
    const auto targets = tevrane::defaultNotchTargets();
    int evaluations = 0;
    double after = 0, lead = 0;
    for (auto _ : state) {
        const auto plan = tevrane::makePlan(d.engine, d.centre, targets, tevrane::EqualiseGoals{});
        tevrane::FreeDimension free[6];
        const int ids[] = {16, 19, 13, 18, 17, 15};
        for (int i = 0; i < 6; ++i) free[i] = tevrane::defaultBounds(d.engine, ids[i]);
        const auto r = tevrane::equalise(d.engine, plan, free);
        evaluations = r.evaluations;
        after = r.after.weighted;
        lead = r.after.smallestLead;
        benchmark::DoNotOptimize(r);
    }
    state.counters["evaluations"] = evaluations;
    state.counters["weighted_after"] = after;
    state.counters["smallest_lead"] = lead;
}
BENCHMARK(BM_TuneSixDimensions)->Unit(benchmark::kMillisecond)->Iterations(1)->Repetitions(3)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
