#pragma once
// Small helpers for building task lists in tests.
#include "tasks/TaskListUnit.h"

#include <string>
#include <vector>

inline TMyTask* MakeTask(const std::string& utf8, bool activ = true, int32_t id = 0) {
    auto* t = new TMyTask;
    t->setId(id);
    t->setCTask(TcTask::FromUtf8(utf8));
    t->setActiv(activ);
    return t;
}

inline std::vector<std::string> Texts(const TTaskList& list) {
    std::vector<std::string> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Items(i)->Text());
    return out;
}

// The exchange sort the list's order is defined by: passes over adjacent pairs, swapping
// a pair that is out of order, until a pass swaps nothing. Kept literal as the reference.
inline bool OutOfOrder(TTaskSortType order, const TMyTask& a, const TMyTask& b) {
    switch (order) {
    case tstCaptionTaskUp:
        return TextAfter(b.cTask(), a.cTask());
    case tstCaptionTaskDown:
        return TextAfter(a.cTask(), b.cTask());
    case tstActiveUp:
        return a.Activ() && !b.Activ();
    case tstActiveDown:
        return !a.Activ() && b.Activ();
    case tstNone:
        break;
    }
    return false;
}

inline void ReferenceSort(TTaskSortType order, std::vector<const TMyTask*>& tasks) {
    if (order == tstNone) return;
    for (bool swapped = true; swapped;) {
        swapped = false;
        for (size_t i = 0; i + 1 < tasks.size(); ++i) {
            if (OutOfOrder(order, *tasks[i], *tasks[i + 1])) {
                std::swap(tasks[i], tasks[i + 1]);
                swapped = true;
            }
        }
    }
}

inline std::vector<const TMyTask*> Order(const TTaskList& list) {
    std::vector<const TMyTask*> out;
    for (int i = 0; i < list.Count(); ++i) out.push_back(list.Items(i));
    return out;
}
