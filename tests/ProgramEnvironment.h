#pragma once
// The whole program, created as the program block creates it, with its files in a fresh
// directory, fake hot keys, a manual timer service and a tick counter moved by hand.
#include "TempDir.h"
#include "app/Paths.h"
#include "app/Program.h"
#include "app/Services.h"
#include "app/common.h"
#include "app/main.h"
#include "platform/FakeHotKeys.h"
#include "platform/GetTickCount.h"
#include "platform/ManualTimer.h"
#include "settings/DataModule.h"

#include <QCoreApplication>
#include <map>
#include <string>

inline uint32_t gFakeTicks = 0;
inline uint32_t FakeTicks() {
    return gFakeTicks;
}

class ProgramEnvironment {
public:
    TempDir dir;
    platform::FakeHotKeyService hotKeys;
    platform::ManualTimerService timers;

    ProgramEnvironment() = default;
    ProgramEnvironment(const ProgramEnvironment&) = delete;
    ProgramEnvironment& operator=(const ProgramEnvironment&) = delete;
    ~ProgramEnvironment() { Leave(); }

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
        CreateProgramObjects();
        Form3->show();
        QCoreApplication::processEvents();
    }

    // Ends the program without the quit command: nothing is saved but the options.
    void Stop() {
        if (MurvaneData) DestroyProgramObjects();
    }

    // Stops the program and gives the real services back.
    void Leave() {
        Stop();
        SetExeDirForTest("");
        platform::SetTimerService(nullptr);
        platform::SetTickSource(nullptr);
        HotKeyService = nullptr;
    }
};
