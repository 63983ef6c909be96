#include "pulse/PulseTimer.h"

#include "app/Options1Access.h"
#include "app/Paths.h"
#include "app/main.h"
#include "platform/MMSystem.h"
#include "platform/UiThread.h"
#include "pulse/PulseChart.h"
#include "pulse/PulseFiles.h"
#include "tasks/TaskListUnit.h"

#include <QLabel>

uint32_t PulseTimerId = 0;

namespace {

void PulseTimerTick(platform::UINT uTimerID, platform::UINT, platform::DWORD_PTR, platform::DWORD_PTR,
                    platform::DWORD_PTR) {
    // Runs on the timer service's thread: the sample itself is taken on the UI thread.
    platform::PostTimerTick(uTimerID, [] {
        if (Form3) AddPulseSample(Form3->Chart1);
    });
}

} // namespace

uint32_t MinTimerResolution() {
    platform::TIMECAPS caps{};
    platform::timeGetDevCaps(&caps, sizeof caps);
    return caps.wPeriodMin;
}

void StartPulseTimer() {
    if (PulseTimerId != 0) StopPulseTimer();
    const uint32_t resolution = MinTimerResolution();
    const auto delay = static_cast<uint32_t>(OptionValue("ChartTimer").AsInt64());
    PulseTimerId = platform::timeSetEvent(delay, resolution, &PulseTimerTick, 0, platform::TIME_PERIODIC);
}

void StopPulseTimer() {
    if (PulseTimerId == 0) return;
    platform::timeKillEvent(PulseTimerId);
    PulseTimerId = 0;
}

void StopTimers() {
    try {
        StopPulseTimer();
    } catch (...) {
    }
}

void AddPulseSample(TPulseChart* chart) {
    int open = 0;
    for (int i = 0; i < TaskList->Count(); ++i) open += TaskList->Items(i)->Activ() ? 1 : 0;
    ::AddPulseSample(chart->Data, TaskList->Count(), open);
    chart->Changed();
    Form3->StatusPanels[1]->setText(QString::number(TaskList->Count()));
    Form3->StatusPanels[3]->setText(QString::number(open));
}

void LoadPulse(TPulseChart* chart) {
    ::LoadPulse(chart->Data, ExeDir());
    chart->Changed();
}

void SavePulse(TPulseChart* chart) {
    ::SavePulse(chart->Data, ExeDir());
}
