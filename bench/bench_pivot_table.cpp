// The pivot data table at the finest step the step angle setting allows
// (0.01 degrees): 36 001 rows, each one pivot solve and thirteen numbers, as
// the table window builds it every time it opens.
//
// Target: median at most 200 ms for the whole text.
#include <benchmark/benchmark.h>

#include <algorithm>

#include "dialogs/core/PivotTable.h"
#include "model/Model.h"

namespace {

void BM_PivotTableFinestStep(benchmark::State& state) {
    tevrane::Model m;
    tevrane::initModel(m);
    m.revArmPos = m.revArmCentre() + m.revArmNormal;  // full forward gear
    m.selectedStep = 0.01f;
    const int picked[] = {0, 2, 3, 7, 10, 18, 19};
    for (int k = 1; k <= tevrane::kPivotDataRows; ++k) {
        m.pivotRowActive[k] = 1;
        m.pivotRowPivot[k] = static_cast<float>(picked[k]);
    }
    std::size_t rows = 0;
    for (auto _ : state) {
        const std::string text = tevrane::pivotTableText(m, "07/12/2026", "10:00:00");
        rows = static_cast<std::size_t>(std::count(text.begin(), text.end(), '\n')) - 4;
        benchmark::DoNotOptimize(text.data());
    }
    state.counters["rows"] = static_cast<double>(rows);
}
BENCHMARK(BM_PivotTableFinestStep)->Unit(benchmark::kMillisecond);

}  // namespace

BENCHMARK_MAIN();
