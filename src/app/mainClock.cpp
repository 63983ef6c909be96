// The running clocks: every open task's time and the big clock of %Global%.
#include "app/common.h"
#include "app/main.h"
#include "controls/StringGridCheker.h"
#include "platform/GetTickCount.h"
#include "tasks/TaskListUnit.h"
#include "tasks/TaskTime.h"

#include <QLabel>
#include <QMessageBox>

void TForm3::Timer1Timer() {
    const uint32_t now = platform::GetTickCount();
    const uint32_t elapsed = now - LastTickCount; // modulo 2^32: the counter's wrap costs nothing
    // Taken before the advance: ticks that run while its error box is open start from here.
    LastTickCount = now;
    AdvanceTaskTimes(elapsed);
}

uint32_t TForm3::AdvanceTaskTimes(uint32_t ms) {
    // While the error box is open the clock keeps counting, but no second box piles up.
    static bool reporting = false;
    try {
        const double days = ms / kMSecsPerDay;
        int advanced = 0;
        TMyTask* global = nullptr;
        for (int i = 0; i < TaskList->Count(); ++i) {
            TMyTask* task = TaskList->Items(i);
            if (task->cTask().Bytes() == kGlobalTask) {
                if (!global) global = task;
                continue;
            }
            if (!task->Activ()) continue;
            task->setDoTime(task->DoTime() + days);
            const int row = FindTaskRow(TaskGrid, i);
            if (IsValidCell(2, row)) TaskGrid->setCells(2, row, FormatTaskTimeText(*task));
            ++advanced;
        }
        // Without a %Global% task (a damaged task file) the task times still run; the big
        // clock waits until the next load of the list creates it.
        if (global) {
            if (advanced > 0) global->setDoTime(global->DoTime() + days);
            Label5->setText(FormatTaskTimeText(*global));
        }
    } catch (...) {
        if (!reporting) {
            reporting = true;
            QMessageBox box(QMessageBox::Critical, QStringLiteral("Ошибка"),
                            QStringLiteral("Ошибка в обработчике таймера"), QMessageBox::Ok);
            box.exec();
            reporting = false;
        }
    }
    return ms;
}
