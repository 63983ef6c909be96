#include "app/common.h"

#include "app/Options1Access.h"
#include "app/main.h"
#include "controls/StringGridCheker.h"
#include "pulse/PulseTimer.h"
#include "tasks/TaskListUnit.h"
#include "tasks/TaskTime.h"

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <unordered_map>

bool GridFilling = false;
uint32_t LastTickCount = 0;
bool QuitRequested = false;

namespace {

// The row of every task shown, as FindTaskRow would find it by text: kept by FillTaskGrid so
// the clock does not search the grid four times a second.
struct TaskRowIndex {
    const TStringGridCheck* grid = nullptr;
    std::unordered_map<const TMyTask*, int> rowOf;
} gRows;

} // namespace

void FillTaskGrid(TStringGridCheck* grid) {
    // Read before the flag goes up: a setting that does not convert must not leave it up.
    const bool showCompleted = OptionValue("AutoHide").AsBoolean();
    GridFilling = true;
    std::vector<const TMyTask*> shown;
    shown.reserve(TaskList->Count());
    for (int i = 0; i < TaskList->Count(); ++i) {
        const TMyTask* task = TaskList->Items(i);
        if (task->cTask().Bytes() == kGlobalTask) continue;
        if (!task->Activ() && !showCompleted) continue;
        shown.push_back(task);
    }
    gRows.grid = grid;
    gRows.rowOf.clear();
    grid->setCheckCollIndex(0);
    if (shown.empty()) {
        grid->setRowCount(2);
        grid->setCheckCollIndex(-1);
        for (int c = 0; c < 3; ++c) grid->setCells(c, 1, QString());
    } else {
        grid->setRowCount(static_cast<int>(shown.size()) + 1);
        std::unordered_map<std::string_view, int> firstRowOfText;
        for (size_t k = 0; k < shown.size(); ++k) {
            const int r = static_cast<int>(k) + 1;
            const TMyTask* task = shown[k];
            grid->SetChecked(r, !task->Activ());
            grid->setCells(1, r, QString::fromStdString(task->Text()));
            grid->setCells(2, r, FormatTaskTimeText(*task));
            firstRowOfText.emplace(task->cTask().Bytes(), r);
        }
        for (const TMyTask* task : shown) gRows.rowOf.emplace(task, firstRowOfText[task->cTask().Bytes()]);
    }
    GridFilling = false;
}

int FindTaskRow(TStringGridCheck* grid, int position) {
    const TMyTask* task = TaskList->Items(position);
    if (!task) return -1;
    if (grid == gRows.grid) {
        auto it = gRows.rowOf.find(task);
        if (it != gRows.rowOf.end()) return it->second;
        // A task the last rebuild did not show has no row, unless it shares a shown text.
    }
    const QString text = QString::fromStdString(task->Text());
    for (int row = 1; row < grid->RowCount(); ++row)
        if (grid->Cells(1, row) == text) return row;
    return -1;
}

bool IsValidCell(int column, int row) {
    const TStringGridCheck* grid = Form3->TaskGrid;
    return column >= 0 && column < grid->ColCount() && row >= 0 && row < grid->RowCount();
}

void LoadTaskGrid(TStringGridCheck* grid) {
    // Whatever the task file holds, the clock needs its %Global% task: it is made even when
    // reading the file failed, and the error is reported after the grid is filled.
    std::exception_ptr loadError;
    try {
        TaskList->LoadTasks();
    } catch (...) {
        loadError = std::current_exception();
    }
    if (TaskList->Find(std::string(kGlobalTask), 0) == -1) NewTask(kGlobalTask);
    FillTaskGrid(grid);
    StartPulseTimer();
    if (loadError) std::rethrow_exception(loadError);
}

std::string StoredTaskText(const std::string& text) {
    std::string cut = text;
    const QString wide = QString::fromStdString(text);
    if (wide.size() > 255) cut = wide.left(252).toStdString() + "...";
    return TcTask::FromUtf8(cut).ToUtf8();
}

void NewTask(const std::string& text) {
    auto* task = new TMyTask;
    task->setId(TaskList->Count());
    task->setCTask(TcTask::FromUtf8(StoredTaskText(text)));
    task->setStartTime(platform::Now());
    task->setDoTime(task->StartTime());
    task->setActiv(true);
    TaskList->setItems(TaskList->Count(), task);
}

QString FormatTaskTimeText(const TMyTask& task) {
    return QString::fromStdString(FormatTaskTime(task));
}

void UpdateStatusCounts() {
    int open = 0;
    for (int i = 0; i < TaskList->Count(); ++i) open += TaskList->Items(i)->Activ() ? 1 : 0;
    Form3->StatusPanels[1]->setText(QString::number(TaskList->Count() - 1));
    Form3->StatusPanels[3]->setText(QString::number(open - 1));
}

bool GlobalTimeIsZero() {
    const TMyTask* global = TaskList->Items(TaskList->Find(std::string(kGlobalTask), 0));
    return !global || global->StartTime() == global->DoTime();
}

int FindTaskId(const std::string& text) {
    const TMyTask* task = TaskList->Items(TaskList->Find(text, 0));
    return task ? task->id() : -1;
}

void DeleteTask(const std::string& text) {
    TaskList->Remove(TaskList->Find(text, 0));
    if (TaskList->Count() < 2) {
        TaskList->Clear();
        TaskList->SaveTasks();
        LoadTaskGrid(Form3->TaskGrid);
    }
    FillTaskGrid(Form3->TaskGrid);
}

void CompleteTask(const std::string& text) {
    if (TMyTask* task = TaskList->Items(TaskList->Find(text, 0))) task->setActiv(false);
}

void ReopenTask(const std::string& text) {
    if (TMyTask* task = TaskList->Items(TaskList->Find(text, 0))) task->setActiv(true);
}

bool SaveAll() {
    SavePulse(Form3->Chart1);
    if (TaskList->SaveTasks()) return true;
    const QString text =
        TaskList->SaveAllowed()
            ? QStringLiteral("Ошибка при сохранении списка задач.")
            : QStringLiteral("Файл заданий не удалось прочитать при запуске, поэтому он оставлен "
                             "как есть.");
    QMessageBox box(QMessageBox::NoIcon, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
    box.exec();
    // A file that was never read completely is kept as it is, and the program may end;
    // a file that could not be written keeps the program running with its tasks.
    return !TaskList->SaveAllowed();
}
