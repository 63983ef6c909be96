#pragma once
// The program's objects and windows, created as the program block creates them, with
// their files in a fresh directory, fake hot keys, a manual timer service and a tick
// counter the test moves on.
#include "ProgramEnvironment.h"
#include "controls/StringGridCheker.h"
#include "options/Options.h"
#include "pulse/PulseTimer.h"
#include "tasks/TaskListUnit.h"

#include <gtest/gtest.h>
#include <vector>

class ProgramFixture : public ::testing::Test {
protected:
    ProgramEnvironment program;
    TempDir& dir = program.dir;
    platform::FakeHotKeyService& hotKeys = program.hotKeys;
    platform::ManualTimerService& timers = program.timers;

    void Start(const std::map<std::string, std::string>& files = {}) { program.Start(files); }
    void Stop() { program.Stop(); }
    void TearDown() override { program.Leave(); }

    TOption& Option(const char* ident) { return *MurvaneData->Options1->Items().Find(ident, "%All%", 0); }

    // Moves the tick counter on and lets Timer1 tick once.
    void Tick(uint32_t ms) {
        gFakeTicks += ms;
        Form3->Timer1Timer();
    }

    // The grid's rows below the header: text cells, with "[x] " for ticked rows.
    std::vector<std::string> GridRows() const {
        std::vector<std::string> rows;
        TStringGridCheck* g = Form3->TaskGrid;
        for (int r = 1; r < g->RowCount(); ++r) {
            std::string text = g->Cells(1, r).toStdString();
            if (g->CheckCollIndex() == 0 && g->Checked(r)) text = "[x] " + text;
            rows.push_back(text);
        }
        return rows;
    }
};
