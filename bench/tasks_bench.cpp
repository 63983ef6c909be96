// The task list: loading and saving big task files, re-sorting after one change, and the
// stable sort beside the literal exchange sort it stands for.
#include "TempDir.h"
#include "tasks/TaskFixtures.h"

#include <benchmark/benchmark.h>
#include <random>

namespace {

std::string RandomText(std::mt19937& rng) {
    static const char* words[] = {"Купить", "хлеб",    "Позвонить", "маме", "Отчёт",
                                  "за",     "квартал", "Fix",       "bug",  "42"};
    std::string s;
    for (int w = 1 + rng() % 4; w > 0; --w) s += std::string(words[rng() % 10]) + " ";
    return s + std::to_string(rng() % 100000);
}

void FillList(TTaskList& list, int n, unsigned seed = 1) {
    std::mt19937 rng(seed);
    for (int i = 0; i < n; ++i) {
        auto* t = MakeTask(RandomText(rng), rng() % 3 != 0, i);
        t->Change = nullptr;
        list.Add(t);
    }
}

void BM_SaveTasks(benchmark::State& state) {
    TempDir dir;
    TTaskList list;
    list.setFileName(dir.file("Tasks.murvane"));
    FillList(list, static_cast<int>(state.range(0)));
    for (auto _ : state) benchmark::DoNotOptimize(list.SaveTasks());
}
BENCHMARK(BM_SaveTasks)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

void BM_LoadTasksSorted(benchmark::State& state) {
    TempDir dir;
    {
        TTaskList list;
        list.setFileName(dir.file("Tasks.murvane"));
        FillList(list, static_cast<int>(state.range(0)));
        list.SaveTasks();
    }
    for (auto _ : state) {
        TTaskList list;
        list.setFileName(dir.file("Tasks.murvane"));
        list.setSorted(tstCaptionTaskDown);
        benchmark::DoNotOptimize(list.LoadTasks());
        state.PauseTiming(); // destroying the list is not part of loading
        list.Clear();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_LoadTasksSorted)->Arg(1000)->Arg(10000)->Arg(100000)->Unit(benchmark::kMillisecond);

// One task's Activ changes, as a tick in the grid does; the list re-sorts itself.
void BM_ResortAfterActivChange(benchmark::State& state) {
    TTaskList list;
    FillList(list, 10000);
    list.setSorted(static_cast<TTaskSortType>(state.range(0)));
    std::mt19937 rng(3);
    for (auto _ : state) {
        TMyTask* t = list.Items(static_cast<int>(rng() % list.Count()));
        t->setActiv(!t->Activ());
    }
}
BENCHMARK(BM_ResortAfterActivChange)
    ->Arg(tstActiveDown)
    ->Arg(tstCaptionTaskDown)
    ->Unit(benchmark::kMicrosecond);

// Sorting 1 000 shuffled tasks: the list's stable sort (range 0) and the exchange sort (1).
void BM_Sort1000(benchmark::State& state) {
    TTaskList list;
    FillList(list, 1000);
    std::mt19937 rng(5);
    for (auto _ : state) {
        state.PauseTiming();
        list.setSorted(tstNone);
        for (int i = 0; i < list.Count(); ++i) list.Move(i, static_cast<int>(rng() % list.Count()));
        auto order = Order(list);
        state.ResumeTiming();
        if (state.range(0) == 0)
            list.setSorted(tstCaptionTaskDown);
        else
            ReferenceSort(tstCaptionTaskDown, order);
        benchmark::DoNotOptimize(order.data());
    }
}
BENCHMARK(BM_Sort1000)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

} // namespace
