#pragma once
// The pulse: a periodic timer that appends one sample of the task counts to the chart.
#include <cstdint>

class TPulseChart;

// Id of the running pulse timer; 0 when none runs.
extern uint32_t PulseTimerId;

uint32_t MinTimerResolution();
// Starts the timer with the period of the option ChartTimer, stopping a running one first.
void StartPulseTimer();
void StopPulseTimer();
// Stops every timer of the timer service that the program started, before the quit saves.
void StopTimers();
void AddPulseSample(TPulseChart* chart);
// The chart's series from "Chart.p1" and "Chart.p2" beside the executable, as far as they read.
void LoadPulse(TPulseChart* chart);
// Writes both files when the chart holds points; raises an error when a file cannot be written.
void SavePulse(TPulseChart* chart);
