#pragma once
// Task files as the program writes them, for preparing a start.
#include "platform/CodePage.h"
#include "tasks/TaskFile.h"

#include <cstring>
#include <string>
#include <vector>

struct TaskRec {
    std::string text; // UTF-8
    bool activ = true;
    double elapsedDays = 0;
    int32_t id = 0;
    uint32_t timer = 0;
};

inline std::string TaskFileOf(const std::vector<TaskRec>& recs) {
    std::string out;
    for (const TaskRec& r : recs) {
        std::string b(kTaskRecordSize, '\0');
        const std::string ansi = platform::Utf8ToAnsi(r.text);
        std::memcpy(&b[kRecId], &r.id, 4);
        b[kRecTextLen] = static_cast<char>(ansi.size());
        std::memcpy(&b[kRecText], ansi.data(), ansi.size());
        std::memcpy(&b[kRecTimer], &r.timer, 4);
        const double start = 46000.5, done = start + r.elapsedDays;
        std::memcpy(&b[kRecStartTime], &start, 8);
        std::memcpy(&b[kRecDoTime], &done, 8);
        b[kRecActiv] = r.activ ? 1 : 0;
        out += b;
    }
    return out;
}
