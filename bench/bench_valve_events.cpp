// The valve events of the default engine, core only.
//
// Targets: the events table for the port events diagram's 19 settings in both
// senses (38 settings, each a one-degree scan of the turn and every crossing
// and extreme refined) at most 20 ms; the notch finder for the six default
// targets, forward and reverse, front, back and mean, including the table it
// brackets them with, at most 50 ms; the Valve Events window's whole
// refresh (both senses at the 19 settings with the die travel, the notches
// and the design checks: what a step of a bar recomputes) at most 8 ms.
#include <benchmark/benchmark.h>

#include "DefaultDesign.h"
#include "dialogs/core/EventsReport.h"
#include "model/Model.h"
#include "model/NotchFinder.h"
#include "model/ValveEvents.h"

namespace {

void BM_EventsTable(benchmark::State& state) {
    const DefaultDesign d;
    for (auto _ : state) benchmark::DoNotOptimize(tevrane::eventsTable(d.engine, d.centre));
}
BENCHMARK(BM_EventsTable)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_NotchFinder(benchmark::State& state) {
    const DefaultDesign d;
    const auto targets = tevrane::defaultNotchTargets();
    for (auto _ : state) benchmark::DoNotOptimize(tevrane::findNotches(d.engine, d.centre, targets));
}
BENCHMARK(BM_NotchFinder)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

void BM_EventsRefresh(benchmark::State& state) {
    tevrane::Model m;
    tevrane::initModel(m);
    const auto targets = tevrane::defaultNotchTargets();
    for (auto _ : state)
        benchmark::DoNotOptimize(tevrane::makeEventsReport(m, tevrane::EventsSettings::PortDiagram, targets));
}
BENCHMARK(BM_EventsRefresh)->Unit(benchmark::kMillisecond)->Repetitions(5)->ReportAggregatesOnly(true);

}  // namespace

BENCHMARK_MAIN();
