// The task file: a plain sequence of 288-byte records in list order.
#include "tasks/TaskFile.h"

#include "platform/AtomicFile.h"

#include <bit>
#include <cstring>

static_assert(std::endian::native == std::endian::little, "the task file is little-endian");

namespace {

template <typename T> void Put(char* at, T value) {
    std::memcpy(at, &value, sizeof value);
}
template <typename T> T Get(const char* at) {
    T value;
    std::memcpy(&value, at, sizeof value);
    return value;
}

} // namespace

void TaskToRecord(const TMyTask& task, TTaskRecord& record) {
    record.bytes.fill(0);
    char* r = record.bytes.data();
    Put<int32_t>(r + kRecId, task.id());
    const TcTask& text = task.cTask();
    Put<uint8_t>(r + kRecTextLen, text.len);
    std::memcpy(r + kRecText, text.chars, text.len);
    Put<uint32_t>(r + kRecTimer, task.Timer());
    Put<double>(r + kRecStartTime, task.StartTime());
    Put<double>(r + kRecDoTime, task.DoTime());
    Put<uint8_t>(r + kRecActiv, task.Activ() ? 1 : 0);
}

TMyTask* RecordToTask(const char* r) {
    auto* task = new TMyTask;
    task->setId(Get<int32_t>(r + kRecId));
    task->setCTask(TcTask::FromAnsi({r + kRecText, Get<uint8_t>(r + kRecTextLen)}));
    task->setTimer(Get<uint32_t>(r + kRecTimer));
    task->setStartTime(Get<double>(r + kRecStartTime));
    task->setDoTime(Get<double>(r + kRecDoTime));
    // Only 0 means completed; any other byte is read as open, like 1.
    task->setActiv(Get<uint8_t>(r + kRecActiv) != 0);
    return task;
}

bool TTaskList::SaveTasks() {
    if (!fSaveAllowed) return false;
    std::string bytes(static_cast<size_t>(fCount) * kTaskRecordSize, '\0');
    TTaskRecord record;
    for (int i = 0; i < fCount; ++i) {
        TaskToRecord(*GetItem(i), record);
        std::memcpy(bytes.data() + static_cast<size_t>(i) * kTaskRecordSize, record.bytes.data(),
                    kTaskRecordSize);
    }
    return platform::WriteFileAtomically(fFileName, bytes) == platform::AtomicWriteResult::Written;
}

bool TTaskList::LoadTasks() {
    std::string bytes;
    try {
        if (!platform::ReadWholeFile(fFileName, bytes)) return false;
    } catch (...) {
        fSaveAllowed = false;
        throw;
    }
    fSaveAllowed = true;
    const size_t n = bytes.size() / kTaskRecordSize;
    VirtualIndex.reserve(VirtualIndex.size() + n);
    Item.reserve(Item.size() + n);
    // Appending every record and sorting once gives the order of sorting after each one:
    // the sort is stable, so equal tasks stay in file order either way.
    for (size_t k = 0; k < n; ++k) Attach(RecordToTask(bytes.data() + k * kTaskRecordSize));
    Sort(fSorted);
    return true;
}
