#pragma once
// The record layout of the task file.
#include "tasks/TaskListUnit.h"

#include <array>
#include <cstddef>

inline constexpr size_t kTaskRecordSize = 288;
inline constexpr size_t kRecId = 0;          // signed 32-bit
inline constexpr size_t kRecTextLen = 4;     // unsigned 8-bit
inline constexpr size_t kRecText = 5;        // 255 bytes
inline constexpr size_t kRecTimer = 260;     // unsigned 32-bit
inline constexpr size_t kRecStartTime = 264; // double
inline constexpr size_t kRecDoTime = 272;    // double
inline constexpr size_t kRecActiv = 280;     // byte; 281..287 padding

struct TTaskRecord {
    std::array<char, kTaskRecordSize> bytes{};
};

void TaskToRecord(const TMyTask& task, TTaskRecord& record);
// A new task from the record at r (kTaskRecordSize bytes). It has no Change handler yet.
TMyTask* RecordToTask(const char* r);
