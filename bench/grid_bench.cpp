// desktop
// The check grid's two frequent jobs in the task window: rebuilding every row (after any
// task command) and rewriting the time column (four times a second).
#include "controls/StringGridCheker.h"

#include <QApplication>
#include <benchmark/benchmark.h>
#include <memory>
#include <vector>

namespace {

constexpr int kRows = 10000;

struct Texts {
    std::vector<QString> tasks, times, laterTimes;
    Texts() {
        for (int i = 0; i < kRows; ++i) {
            tasks.push_back(QStringLiteral("Задание номер %1").arg(i));
            times.push_back(QStringLiteral("%1:%2:07").arg(i % 24).arg(i % 60, 2, 10, QChar('0')));
            laterTimes.push_back(QStringLiteral("%1:%2:08").arg(i % 24).arg(i % 60, 2, 10, QChar('0')));
        }
    }
};

const Texts& TheTexts() {
    static const Texts texts;
    return texts;
}

std::unique_ptr<TStringGridCheck> TaskLikeGrid() {
    auto grid = std::make_unique<TStringGridCheck>();
    grid->setColCount(3);
    grid->setFixedCols(1);
    grid->setFixedRows(1);
    grid->setDefaultRowHeight(20);
    grid->setColWidths(0, 16);
    grid->setColWidths(1, 321);
    grid->setColWidths(2, 55);
    grid->setOptions(goRowSelect | goFixedHotTrack);
    grid->OnCheked = [](TStringGridCheck*, int, bool) {}; // ignored while filling
    grid->resize(420, 500);
    grid->show();
    QApplication::processEvents();
    return grid;
}

// As the task window fills it: one row added at a time, a tick and two texts per row.
void Fill(TStringGridCheck& grid) {
    const Texts& t = TheTexts();
    grid.setRowCount(2);
    grid.setCheckCollIndex(0);
    for (int i = 0; i < kRows; ++i) {
        const int r = grid.RowCount() - 1;
        grid.SetChecked(r, i % 3 == 0);
        grid.setCells(1, r, t.tasks[i]);
        grid.setCells(2, r, t.times[i]);
        grid.setRowCount(grid.RowCount() + 1);
    }
    grid.setRowCount(grid.RowCount() - 1);
}

void BM_Rebuild10000Rows(benchmark::State& state) {
    auto grid = TaskLikeGrid();
    for (auto _ : state) {
        Fill(*grid);
        grid->SyncView(); // the view learns of it, as it does at the next event loop turn
    }
}
BENCHMARK(BM_Rebuild10000Rows)->Unit(benchmark::kMillisecond);

// The first fill after start-up: 10 000 rows appear at once.
void BM_FillEmptyGrid10000Rows(benchmark::State& state) {
    auto grid = TaskLikeGrid();
    for (auto _ : state) {
        state.PauseTiming();
        grid->setRowCount(2);
        grid->SyncView();
        state.ResumeTiming();
        Fill(*grid);
        grid->SyncView();
    }
}
BENCHMARK(BM_FillEmptyGrid10000Rows)->Unit(benchmark::kMillisecond);

void BM_Rebuild10000RowsAndRepaint(benchmark::State& state) {
    auto grid = TaskLikeGrid();
    for (auto _ : state) {
        Fill(*grid);
        grid->SyncView();
        grid->repaint();
    }
}
BENCHMARK(BM_Rebuild10000RowsAndRepaint)->Unit(benchmark::kMillisecond);

void BM_RewriteTimeColumn10000Rows(benchmark::State& state) {
    auto grid = TaskLikeGrid();
    Fill(*grid);
    grid->SyncView();
    const Texts& t = TheTexts();
    bool later = false;
    for (auto _ : state) {
        const auto& times = later ? t.laterTimes : t.times;
        for (int i = 0; i < kRows; ++i) grid->setCells(2, i + 1, times[i]);
        grid->SyncView();
        later = !later;
    }
}
BENCHMARK(BM_RewriteTimeColumn10000Rows)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
