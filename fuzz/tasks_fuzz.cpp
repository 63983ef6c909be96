// Loads arbitrary bytes as a task file, sorts them every way and saves them again.
#include "platform/AtomicFile.h"
#include "tasks/TaskListUnit.h"

#include <cstdint>
#include <string>
#include <unistd.h>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/murvane-fuzz-tasks-" + std::to_string(getpid());
    platform::WriteFileAtomically(path, {reinterpret_cast<const char*>(data), size});
    TTaskList list;
    list.setFileName(path);
    list.setSorted(static_cast<TTaskSortType>(size % 5));
    list.LoadTasks();
    for (int order = tstNone; order <= tstActiveDown; ++order)
        list.setSorted(static_cast<TTaskSortType>(order));
    for (int i = 0; i < list.Count(); i += 3) list.Items(i)->setActiv(!list.Items(i)->Activ());
    list.Find(std::string("%Global%"), 0);
    list.SaveTasks();
    return 0;
}
