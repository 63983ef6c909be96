#include "platform/ManualTimer.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

using namespace platform;

namespace {

struct Log {
    explicit Log(ManualTimerService* s) : service(s) {}
    ManualTimerService* service;
    std::vector<std::string> ticks;
    UINT restartWith = 0; // a callback restarting its timer with another delay
    UINT restarted = 0;
};

void Record(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    auto& log = *reinterpret_cast<Log*>(user);
    log.ticks.push_back(std::to_string(id) + "@" + std::to_string(log.service->Now()));
    if (log.restartWith != 0) {
        log.service->KillEvent(id);
        log.restarted = log.service->SetEvent(log.restartWith, 1, &Record, user, TIME_PERIODIC);
        log.restartWith = 0;
    }
}

} // namespace

TEST(ManualTimer, FiresDueTicksInTimeOrder) {
    ManualTimerService service;
    Log log(&service);
    const auto user = reinterpret_cast<DWORD_PTR>(&log);
    const UINT a = service.SetEvent(100, 1, &Record, user, TIME_PERIODIC);
    const UINT b = service.SetEvent(250, 1, &Record, user, TIME_ONESHOT);
    service.Advance(300);
    const std::string A = std::to_string(a), B = std::to_string(b);
    EXPECT_EQ(log.ticks, (std::vector<std::string>{A + "@100", A + "@200", B + "@250", A + "@300"}));
    EXPECT_FALSE(service.IsActive(b));
    EXPECT_EQ(service.ActiveCount(), 1u);
}

TEST(ManualTimer, RestartFromACallbackTakesTheNewPeriodAtOnce) {
    ManualTimerService service;
    Log log(&service);
    log.restartWith = 500;
    service.SetEvent(100, 1, &Record, reinterpret_cast<DWORD_PTR>(&log), TIME_PERIODIC);
    service.Advance(650);
    ASSERT_EQ(log.ticks.size(), 2u);
    EXPECT_EQ(log.ticks[1], std::to_string(log.restarted) + "@600");
    EXPECT_EQ(service.DueOf(log.restarted), 1100u);
}

TEST(ManualTimer, FireRunsOneTickAndKeepsTheSchedule) {
    ManualTimerService service;
    Log log(&service);
    const UINT id = service.SetEvent(100, 1, &Record, reinterpret_cast<DWORD_PTR>(&log), TIME_PERIODIC);
    EXPECT_TRUE(service.Fire(id));
    EXPECT_EQ(service.DueOf(id), 100u);
    EXPECT_EQ(service.KillEvent(id), TIMERR_NOERROR);
    EXPECT_FALSE(service.Fire(id));
    EXPECT_EQ(log.ticks.size(), 1u);
}

TEST(ManualTimer, InstalledServiceAnswersTheGlobalCalls) {
    ManualTimerService service;
    SetTimerService(&service);
    Log log(&service);
    const UINT id = timeSetEvent(60000, 1, &Record, reinterpret_cast<DWORD_PTR>(&log), TIME_PERIODIC);
    EXPECT_EQ(service.DelayOf(id), 60000u);
    service.Advance(60000);
    EXPECT_EQ(log.ticks.size(), 1u);
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    SetTimerService(nullptr);
    EXPECT_NE(&CurrentTimerService(), static_cast<ITimerService*>(&service));
}
