// bench: needs-qt
// The design report of the default engine as "Design report..." and
// `tevrane --report` make it: the content (events at the 19 settings and the
// notches, design checks, indicated performance, the mechanism fitted three
// times, the four diagrams' sweeps), the layout and the painting of every
// page on a PDF writer, into memory. Target: at most 2 s.
#include "QtBenchMain.h"

#include "report/DesignReportPdf.h"

namespace {

void BM_DesignReport(benchmark::State& state) {
    tevrane::Model m;
    tevrane::initModel(m);
    tevrane::ReportRequest request;
    request.date = "09/12/2026";
    request.paper = tevrane::kA4Paper;
    int pages = 0;
    for (auto _ : state) {
        QByteArray bytes;
        if (!tevrane::designReportPdf(m, request, bytes, &pages)) state.SkipWithError("no PDF");
        benchmark::DoNotOptimize(bytes.data());
        state.counters["bytes"] = double(bytes.size());
    }
    state.counters["pages"] = pages;
}
BENCHMARK(BM_DesignReport)->Unit(benchmark::kMillisecond)->Iterations(3);

}  // namespace

int main(int argc, char** argv) { return runQtBenchmarks(argc, argv); }
