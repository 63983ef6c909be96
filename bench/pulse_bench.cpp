// The pulse series at a million points: the start-up load, the save at exit, the reduction
// for drawing and the one append per sample.
#include "pulse/PulseFiles.h"
#include "pulse/PulseReducer.h"

#include "TempDir.h"

#include <benchmark/benchmark.h>

namespace {

constexpr int kPoints = 1000000;
constexpr int kColumns = 800;

TPulseData MakeChart(int points) {
    TPulseData chart;
    for (unsigned i = 0; i < unsigned(points); ++i)
        AddPulseSample(chart, int(10 + i * 7919u % 50), int(5 + i % 5));
    return chart;
}

void BM_LoadPulse(benchmark::State& state) {
    TempDir dir;
    SavePulse(MakeChart(kPoints), dir.path().string());
    for (auto _ : state) {
        TPulseData chart;
        LoadPulse(chart, dir.path().string());
        benchmark::DoNotOptimize(chart.Series2.Count());
    }
}
BENCHMARK(BM_LoadPulse)->Unit(benchmark::kMillisecond);

void BM_SavePulse(benchmark::State& state) {
    TempDir dir;
    const TPulseData chart = MakeChart(kPoints);
    for (auto _ : state) SavePulse(chart, dir.path().string());
}
BENCHMARK(BM_SavePulse)->Unit(benchmark::kMillisecond);

void BM_ReduceToColumns(benchmark::State& state) {
    const TPulseData chart = MakeChart(kPoints);
    TPulseReducer reducer;
    for (auto _ : state) {
        reducer.Rebuild(chart.Series1, kColumns);
        benchmark::DoNotOptimize(reducer.Points().data());
    }
}
BENCHMARK(BM_ReduceToColumns)->Unit(benchmark::kMillisecond);

// One sample: both series gain a point and both reduced copies take it in.
void BM_AppendSample(benchmark::State& state) {
    TPulseData chart = MakeChart(kPoints);
    TPulseReducer reduced1, reduced2;
    reduced1.Rebuild(chart.Series1, kColumns);
    reduced2.Rebuild(chart.Series2, kColumns);
    int i = 0;
    for (auto _ : state) {
        AddPulseSample(chart, 10 + i % 50, 5);
        reduced1.Update(chart.Series1, kColumns);
        reduced2.Update(chart.Series2, kColumns);
        ++i;
    }
    benchmark::DoNotOptimize(reduced1.Points().data());
}
// A fixed count, since every iteration grows the series: a year of minutes on top.
BENCHMARK(BM_AppendSample)->Unit(benchmark::kMicrosecond)->Iterations(500000);

} // namespace
