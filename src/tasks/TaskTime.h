#pragma once
// The text forms of a task's elapsed time, as the grid and the big clock show them.
#include "tasks/TaskListUnit.h"

#include <string>

// "H:mm:ss", or "N <days word> H:mm:ss" from one whole day on (UTF-8).
std::string FormatTaskTime(const TMyTask& task);
std::string FormatElapsed(TDateTime span);

// The Russian word for days after the count n; only its last digit decides.
const char* DaysWord(long long n);

// Milliseconds to TDateTime days.
inline constexpr double kMSecsPerDay = 86400000.0;
