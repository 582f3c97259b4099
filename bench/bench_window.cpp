// The window's first run, lists and labels included, over the statistics tree
// named by TOVRIK_BENCH_DIR, on Qt's offscreen platform: a fresh window each
// time, so that every run discovers the maps.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QListWidget>
#include <cstdlib>

#include "ui/qt/form1_window.h"

namespace {

void BM_FirstRun(benchmark::State& state) {
    const char* dir = std::getenv("TOVRIK_BENCH_DIR");
    if (dir == nullptr) {
        state.SkipWithError("TOVRIK_BENCH_DIR names no statistics tree");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        tovrik::Form1Window window;
        window.form().StatsDir = dir;
        window.form().FillLists();
        state.ResumeTiming();
        window.findChild<QListWidget*>("List2")->setCurrentRow(4);  // the Thompson
        benchmark::DoNotOptimize(window.form().GamesPlayed);
    }
}
BENCHMARK(BM_FirstRun)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
