// The window's first run, lists and labels included, and the opening of the
// breakdown, over the statistics tree named by TOVRIK_BENCH_DIR, on Qt's
// offscreen platform: fresh windows each time, so that every run discovers
// the maps and every breakdown reads the tree.
#include <benchmark/benchmark.h>

#include <QApplication>
#include <QEventLoop>
#include <QListWidget>
#include <cstdlib>
#include <memory>

#include "ui/qt/breakdown_window.h"
#include "ui/qt/form1_window.h"

namespace {

// The tree to read, or none (the benchmark then skipped with why).
const char* BenchDir(benchmark::State& state) {
    const char* dir = std::getenv("TOVRIK_BENCH_DIR");
    if (dir == nullptr) state.SkipWithError("TOVRIK_BENCH_DIR names no statistics tree");
    return dir;
}

void BM_FirstRun(benchmark::State& state) {
    const char* dir = BenchDir(state);
    if (dir == nullptr) return;
    std::unique_ptr<tovrik::Form1Window> window;  // made and closed outside the timing
    for (auto _ : state) {
        state.PauseTiming();
        window.reset();
        window = std::make_unique<tovrik::Form1Window>();
        window->form().StatsDir = dir;
        window->form().FillLists();
        state.ResumeTiming();
        window->findChild<QListWidget*>("List2")->setCurrentRow(4);  // the Thompson
        benchmark::DoNotOptimize(window->form().CurvePlaces().size());
    }
}
BENCHMARK(BM_FirstRun)->Unit(benchmark::kMillisecond)->UseRealTime();

// From the breakdown's opening to its table by map, as Ctrl+B shows it.
void BM_OpenBreakdown(benchmark::State& state) {
    const char* dir = BenchDir(state);
    if (dir == nullptr) return;
    for (auto _ : state) {
        tovrik::BreakdownWindow window(nullptr, '.');
        QEventLoop shown;
        QObject::connect(&window, &tovrik::BreakdownWindow::updated, &shown, &QEventLoop::quit);
        window.show();
        window.showFor(dir, "Thompson");
        shown.exec();
    }
}
BENCHMARK(BM_OpenBreakdown)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
