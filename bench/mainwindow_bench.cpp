// desktop
// The main window's work with many tasks: the clock tick four times a second, the grid
// rebuild after a task command, a task ticked off by the user, and the pulse chart at a
// million points. The whole program is built as its block builds it, with its files in a
// fresh directory, fake hot keys, a manual timer service and a tick counter moved by hand.
#include "ProgramEnvironment.h"
#include "TaskFileFixtures.h"
#include "TempDir.h"
#include "app/Application.h"
#include "app/common.h"
#include "app/main.h"
#include "controls/StringGridCheker.h"
#include "platform/CodePage.h"
#include "platform/GetTickCount.h"
#include "pulse/PulseChart.h"
#include "pulse/PulseTimer.h"
#include "settings/DataModule.h"
#include "tasks/TaskFile.h"
#include "tasks/TaskListUnit.h"

#include <QImage>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QTabWidget>
#include <QTimer>
#include <QtCharts/QLineSeries>
#include <benchmark/benchmark.h>
#include <cstring>
#include <memory>
#include <string>
#include <vector>

namespace {

// A task file of `open` open tasks and `done` completed ones after %Global%, distinct texts.
std::string TaskFile(int open, int done = 0) {
    std::vector<TaskRec> recs{{kGlobalTask, true, 3.25, 0}};
    for (int i = 0; i < open + done; ++i)
        recs.push_back({"Задание номер " + std::to_string(i), i < open, (i % 977) / 86400.0 * 37, i + 1});
    return TaskFileOf(recs);
}

// The program with its windows; the main window is shown on the offscreen screen.
class Program {
public:
    explicit Program(const std::string& tasks) {
        env_.Start({{"Tasks.murvane", tasks}});
        Form3->Timer1->stop(); // the benchmark ticks by hand
        Form3->TaskGrid->SyncView();
    }

private:
    ProgramEnvironment env_;
};

int OpenTasks() {
    int open = 0;
    for (int i = 0; i < TaskList->Count(); ++i) open += TaskList->Items(i)->Activ() ? 1 : 0;
    return open - 1; // without %Global%
}

// One clock tick with range(0) open tasks in the grid; the view learns of the new times.
void BM_Tick(benchmark::State& state) {
    const int open = static_cast<int>(state.range(0));
    Program program(TaskFile(open));
    if (OpenTasks() != open || Form3->TaskGrid->RowCount() != open + 1) {
        state.SkipWithError("the task file did not load as written");
        return;
    }
    for (auto _ : state) {
        gFakeTicks += 250;
        Form3->Timer1Timer();
        Form3->TaskGrid->SyncView();
    }
    state.counters["rows"] = Form3->TaskGrid->RowCount() - 1;
}
BENCHMARK(BM_Tick)->Arg(100)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The same tick followed by the repaint the event loop would do.
void BM_TickAndRepaint(benchmark::State& state) {
    const int open = static_cast<int>(state.range(0));
    Program program(TaskFile(open));
    for (auto _ : state) {
        gFakeTicks += 250;
        Form3->Timer1Timer();
        Form3->TaskGrid->SyncView();
        Form3->TaskGrid->viewport()->repaint();
        Form3->Label5->repaint();
    }
}
BENCHMARK(BM_TickAndRepaint)->Arg(1000)->Arg(10000)->Unit(benchmark::kMicrosecond);

// The rebuild every task command ends with: 10 000 tasks (a third of them completed, shown).
void BM_FillTaskGrid(benchmark::State& state) {
    const int tasks = static_cast<int>(state.range(0));
    Program program(TaskFile(tasks - tasks / 3, tasks / 3));
    for (auto _ : state) {
        FillTaskGrid(Form3->TaskGrid);
        Form3->TaskGrid->SyncView();
    }
    state.counters["rows"] = Form3->TaskGrid->RowCount() - 1;
}
BENCHMARK(BM_FillTaskGrid)->Arg(10000)->Unit(benchmark::kMillisecond);

// The user ticks a task's box and, next time, unticks it: the grid's handler completes or
// reopens the task, the list re-sorts, the grid is rebuilt and the counts rewritten.
void BM_TickOffTask(benchmark::State& state) {
    Program program(TaskFile(10000));
    TStringGridCheck* grid = Form3->TaskGrid;
    const std::string text = grid->Cells(1, 5000).toStdString();
    bool complete = true;
    for (auto _ : state) {
        state.PauseTiming();
        const int row = FindTaskRow(grid, TaskList->Find(text, 0));
        if (row < 1 || grid->Checked(row) == complete) {
            state.SkipWithError("the task's row was not found in the expected state");
            break;
        }
        state.ResumeTiming();
        grid->SetChecked(row, complete);
        grid->SyncView();
        complete = !complete;
    }
    if (OpenTasks() < 9999) state.SkipWithError("the tick did not reach the task");
}
BENCHMARK(BM_TickOffTask)->Unit(benchmark::kMillisecond);

constexpr int kPoints = 1000000;

// Both pulse series filled with a million points, the chart's page shown.
void FillChart(TPulseChart* chart) {
    for (unsigned i = 0; i < unsigned(kPoints); ++i) {
        chart->Data.Series1.AddXY(i, 10 + i * 7919u % 50);
        chart->Data.Series2.AddXY(i, 5 + i % 5);
    }
    chart->Changed();
}

// The chart's page shown, the window made taller so the plot is about 420x250 pixels.
void ShowPulsePage() {
    Form3->PageControl1->setCurrentWidget(Form3->TabSheet2);
    QApplication::processEvents();
    Form3->resize(Form3->width(), Form3->height() + 250 - Form3->Chart1->height());
    QApplication::processEvents();
}

void ChartCounters(benchmark::State& state) {
    state.counters["width"] = Form3->Chart1->width();
    state.counters["height"] = Form3->Chart1->height();
    state.counters["drawn"] = Form3->Chart1->Series1->count() + Form3->Chart1->Series2->count();
}

// One repaint of the chart: what a paint event of its page costs.
void BM_ChartGrab(benchmark::State& state) {
    Program program(TaskFile(0));
    ShowPulsePage();
    FillChart(Form3->Chart1);
    QApplication::processEvents();
    for (auto _ : state) {
        QPixmap shot = Form3->Chart1->grab();
        benchmark::DoNotOptimize(shot.cacheKey());
    }
    ChartCounters(state);
}
BENCHMARK(BM_ChartGrab)->Unit(benchmark::kMillisecond);

// The same repaint into an image of the chart's size.
void BM_ChartRenderToImage(benchmark::State& state) {
    Program program(TaskFile(0));
    ShowPulsePage();
    FillChart(Form3->Chart1);
    QApplication::processEvents();
    QImage image(Form3->Chart1->size(), QImage::Format_ARGB32_Premultiplied);
    for (auto _ : state) {
        QPainter painter(&image);
        Form3->Chart1->render(&painter);
    }
    ChartCounters(state);
}
BENCHMARK(BM_ChartRenderToImage)->Unit(benchmark::kMillisecond);

// A full reduction of both series, as after loading the pulse files or a change of width.
void BM_ChartChangedAfterReload(benchmark::State& state) {
    Program program(TaskFile(0));
    ShowPulsePage();
    FillChart(Form3->Chart1);
    TPulseData copy;
    for (auto _ : state) {
        state.PauseTiming();
        Form3->Chart1->Data.Series1.Clear();
        Form3->Chart1->Data.Series2.Clear();
        for (unsigned i = 0; i < unsigned(kPoints); ++i) {
            Form3->Chart1->Data.Series1.AddXY(i, 10 + i * 7919u % 50);
            Form3->Chart1->Data.Series2.AddXY(i, 5 + i % 5);
        }
        state.ResumeTiming();
        Form3->Chart1->Changed();
    }
    ChartCounters(state);
}
BENCHMARK(BM_ChartChangedAfterReload)->Unit(benchmark::kMillisecond)->Iterations(10);

// One pulse sample on top of a million points, the chart's page shown (range 1) or the task
// page shown (range 0). Iterations are fixed, since every one adds a point.
void BM_AppendSample(benchmark::State& state) {
    Program program(TaskFile(3));
    if (state.range(0)) ShowPulsePage();
    FillChart(Form3->Chart1);
    QApplication::processEvents();
    for (auto _ : state) AddPulseSample(Form3->Chart1);
    ChartCounters(state);
    state.counters["visible"] = Form3->Chart1->isVisible();
}
BENCHMARK(BM_AppendSample)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond)->Iterations(20000);

// The append with the repaint it brings while the chart is shown.
void BM_AppendSampleAndRepaint(benchmark::State& state) {
    Program program(TaskFile(3));
    ShowPulsePage();
    FillChart(Form3->Chart1);
    QApplication::processEvents();
    for (auto _ : state) {
        AddPulseSample(Form3->Chart1);
        Form3->Chart1->viewport()->repaint();
    }
    ChartCounters(state);
}
BENCHMARK(BM_AppendSampleAndRepaint)->Unit(benchmark::kMicrosecond)->Iterations(200);

} // namespace

int main(int argc, char** argv) {
    if (qgetenv("QT_QPA_PLATFORM").isEmpty()) qputenv("QT_QPA_PLATFORM", "offscreen");
    TApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
