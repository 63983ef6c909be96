#include "tasks/TaskTime.h"

#include <cmath>

const char* DaysWord(long long n) {
    switch (n % 10) {
    case 1: return "день";
    case 2:
    case 3:
    case 4: return "дня";
    default: return "дней";
    }
}

std::string FormatElapsed(TDateTime span) {
    // A time read from a damaged file may be no number at all, or absurdly large; it is
    // shown as nothing elapsed, or held at the largest count that still prints.
    double ms = std::isfinite(span) ? std::fabs(span) * kMSecsPerDay : 0.0;
    if (ms > 9e15) ms = 9e15;
    const auto total = static_cast<long long>(std::llround(ms));
    const long long days = total / 86400000;
    const long long rest = total % 86400000 / 1000;
    char clock[16];
    std::snprintf(clock, sizeof clock, "%lld:%02lld:%02lld", rest / 3600, rest / 60 % 60, rest % 60);
    if (days == 0) return clock;
    return std::to_string(days) + " " + DaysWord(days) + " " + clock;
}

std::string FormatTaskTime(const TMyTask& task) { return FormatElapsed(task.DoTime() - task.StartTime()); }
