#pragma once
// The program's objects and windows, created as the program block creates them, with
// their files in a fresh directory, fake hot keys, a manual timer service and a tick
// counter the test moves on.
#include "TempDir.h"
#include "app/Paths.h"
#include "app/Services.h"
#include "app/common.h"
#include "app/main.h"
#include "controls/StringGridCheker.h"
#include "dialogs/uAbout.h"
#include "dialogs/uOptions.h"
#include "floating/ComboFloat.h"
#include "options/Options.h"
#include "platform/FakeHotKeys.h"
#include "platform/GetTickCount.h"
#include "platform/ManualTimer.h"
#include "pulse/PulseTimer.h"
#include "settings/DataModule.h"
#include "tasks/TaskListUnit.h"

#include <QCoreApplication>
#include <gtest/gtest.h>
#include <map>
#include <string>

inline uint32_t gFakeTicks = 0;
inline uint32_t FakeTicks() {
    return gFakeTicks;
}

class ProgramFixture : public ::testing::Test {
protected:
    TempDir dir;
    platform::FakeHotKeyService hotKeys;
    platform::ManualTimerService timers;

    // Writes the given files beside the "executable" and starts the program.
    void Start(const std::map<std::string, std::string>& files = {}) {
        for (const auto& [name, bytes] : files) TempDir::Write(dir.file(name), bytes);
        SetExeDirForTest(dir.path().string());
        platform::SetTimerService(&timers);
        gFakeTicks = 1000;
        platform::SetTickSource(&FakeTicks);
        HotKeyService = &hotKeys;
        DeliverHotKeysToMainWindow(hotKeys);
        QuitRequested = false;
        MurvaneData = new TMurvaneData;
        Form3 = new TForm3;
        ComboFloatForm = new TComboFloatForm;
        Form1 = new TForm1;
        Form6 = new TForm6;
        Form3->show();
        QCoreApplication::processEvents();
    }

    // Ends the program without the quit command: nothing is saved but the options.
    void TearDown() override {
        if (MurvaneData) Stop();
        SetExeDirForTest("");
        platform::SetTimerService(nullptr);
        platform::SetTickSource(nullptr);
        HotKeyService = nullptr;
    }

    void Stop() {
        StopTimers();
        delete Form6;
        delete Form1;
        delete ComboFloatForm;
        delete Form3;
        delete MurvaneData;
        Form6 = nullptr, Form1 = nullptr, ComboFloatForm = nullptr, Form3 = nullptr, MurvaneData = nullptr;
    }

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
