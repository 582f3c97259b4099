// The statistics run alone, without the window: lists and reads the whole
// tree named by TOVRIK_BENCH_DIR for the Thompson, as a selection does.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "ui/form1.h"
#include "ui/recording_controls.h"

namespace {

void BM_ComputeStats(benchmark::State& state) {
    const char* dir = std::getenv("TOVRIK_BENCH_DIR");
    if (dir == nullptr) {
        state.SkipWithError("TOVRIK_BENCH_DIR names no statistics tree");
        return;
    }
    tovrik::RecordingControls controls;
    tovrik::Form1 form(controls);
    form.StatsDir = dir;
    controls.list2Selection = "Thompson";
    for (auto _ : state) {
        form.ComputeStats();
        controls.clearTrace();
        benchmark::DoNotOptimize(form.TotShots);
    }
    state.counters["files"] = form.GamesPlayed;
}
BENCHMARK(BM_ComputeStats)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
