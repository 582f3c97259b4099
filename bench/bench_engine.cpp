// The statistics run alone, without the window: lists and reads the whole
// tree named by TOVRIK_BENCH_DIR for the Thompson, as a selection does.
#include <benchmark/benchmark.h>

#include <cstdlib>

#include "ui/form1.h"

namespace {

// Controls that keep nothing: the run's own work is what is measured.
struct NoControls : tovrik::Form1Controls, tovrik::ChartSurface {
    void List1_Clear() override {}
    void List2_AddItem(const std::string&) override {}
    std::string List2_Text() override { return "Thompson"; }
    void List3_AddItem(const std::string&) override {}
    std::string List3_Text() override { return ""; }
    void List3_Clear() override {}
    void List3_SetEnabled(bool) override {}
    ChartSurface& Picture1() override { return *this; }
    void SetCaption(tovrik::Label label, const std::string& text) override {
        if (label == tovrik::Label::Label26) games = text;
    }
    void ShowMessage(const std::string&) override {}
    bool AnotherInstanceRunning() override { return false; }
    void EndProgram() override {}
    float width() const override { return tovrik::ChartBox{}.width; }
    float height() const override { return tovrik::ChartBox{}.height; }
    void clear() override {}
    void setDrawWidth(int) override {}
    void line(float, float, float, float, tovrik::Rgb) override {}
    void point(float, float, tovrik::Rgb) override {}

    std::string games;  // as the window shows them
};

void BM_ComputeStats(benchmark::State& state) {
    const char* dir = std::getenv("TOVRIK_BENCH_DIR");
    if (dir == nullptr) {
        state.SkipWithError("TOVRIK_BENCH_DIR names no statistics tree");
        return;
    }
    NoControls controls;
    tovrik::Form1 form(controls);
    form.StatsDir = dir;
    for (auto _ : state) {
        form.ComputeStats();
        benchmark::DoNotOptimize(controls.games);
    }
    state.counters["games"] = std::atof(controls.games.c_str());
}
BENCHMARK(BM_ComputeStats)->Unit(benchmark::kMillisecond)->UseRealTime();

}  // namespace

BENCHMARK_MAIN();
