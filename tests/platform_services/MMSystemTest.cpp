#include "platform/MMSystem.h"
#include "platform/TimerThread.h"

#include <gtest/gtest.h>

#include <atomic>
#include <chrono>
#include <mutex>
#include <set>
#include <thread>
#include <vector>

using namespace platform;

namespace {

// Waits (generously) for a condition that the worker thread makes true.
template <class F> bool Eventually(F done) {
    const auto until = std::chrono::steady_clock::now() + std::chrono::seconds(10);
    while (!done()) {
        if (std::chrono::steady_clock::now() > until) return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(1));
    }
    return true;
}

struct Probe {
    ITimerService* service = nullptr;
    std::atomic<int> ticks{0};
    std::atomic<bool> killed{false};
    std::atomic<int> afterKill{0};
    std::atomic<bool> entered{false};
    std::atomic<bool> finished{false};
    std::atomic<UINT> other{0};
    std::mutex mutex;
    std::set<std::thread::id> threads;
};

Probe& Of(DWORD_PTR user) {
    return *reinterpret_cast<Probe*>(user);
}
DWORD_PTR User(Probe& p) {
    return reinterpret_cast<DWORD_PTR>(&p);
}

void Count(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Probe& p = Of(user);
    if (p.killed) ++p.afterKill;
    ++p.ticks;
    std::lock_guard lock(p.mutex);
    p.threads.insert(std::this_thread::get_id());
}

void Slow(UINT, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Probe& p = Of(user);
    p.entered = true;
    std::this_thread::sleep_for(std::chrono::milliseconds(50));
    p.finished = true;
}

void KillSelfAndOther(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    Probe& p = Of(user);
    p.service->KillEvent(p.other);
    if (p.service->KillEvent(id) == TIMERR_NOERROR) ++p.ticks;
}

} // namespace

TEST(ThreadTimer, PeriodicTimerFiresRepeatedly) {
    ThreadTimerService service;
    Probe p;
    const UINT id = service.SetEvent(1, 1, &Count, User(p), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(Eventually([&] { return p.ticks >= 3; }));
    EXPECT_TRUE(service.IsActive(id));
    EXPECT_EQ(service.KillEvent(id), TIMERR_NOERROR);
    EXPECT_FALSE(service.IsActive(id));
    EXPECT_EQ(service.KillEvent(id), MMSYSERR_INVALPARAM);
}

TEST(ThreadTimer, NoCallbackRunsAfterKillReturns) {
    ThreadTimerService service;
    std::vector<Probe> probes(8);
    std::vector<UINT> ids;
    for (Probe& p : probes) ids.push_back(service.SetEvent(1, 1, &Count, User(p), TIME_PERIODIC));
    for (size_t i = 0; i < probes.size(); ++i) {
        ASSERT_TRUE(Eventually([&] { return probes[i].ticks > 0; }));
        service.KillEvent(ids[i]);
        probes[i].killed = true;
    }
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
    for (const Probe& p : probes) EXPECT_EQ(p.afterKill, 0);
}

TEST(ThreadTimer, KillingAnUnknownIdAnswersAtOnce) {
    ThreadTimerService service;
    EXPECT_EQ(service.KillEvent(0), MMSYSERR_INVALPARAM); // the id of "no timer yet"
    EXPECT_EQ(service.KillEvent(12345), MMSYSERR_INVALPARAM);
}

TEST(ThreadTimer, KillWaitsForTheTickInFlight) {
    ThreadTimerService service;
    Probe p;
    const UINT id = service.SetEvent(1, 1, &Slow, User(p), TIME_PERIODIC);
    ASSERT_TRUE(Eventually([&] { return p.entered.load(); }));
    service.KillEvent(id);
    EXPECT_TRUE(p.finished);
}

TEST(ThreadTimer, CallbackMayKillItselfAndOthers) {
    ThreadTimerService service;
    Probe p, other;
    p.service = &service;
    p.other = service.SetEvent(100000, 1, &Count, User(other), TIME_PERIODIC);
    service.SetEvent(1, 1, &KillSelfAndOther, User(p), TIME_PERIODIC);
    ASSERT_TRUE(Eventually([&] { return p.ticks == 1; }));
    EXPECT_FALSE(service.IsActive(p.other));
    std::this_thread::sleep_for(std::chrono::milliseconds(10));
    EXPECT_EQ(p.ticks, 1);
}

TEST(ThreadTimer, AllTimersShareOneWorkerThread) {
    ThreadTimerService service;
    Probe p;
    std::vector<UINT> ids;
    for (int i = 0; i < 20; ++i)
        ids.push_back(service.SetEvent(1 + i % 5, 1, &Count, User(p), TIME_PERIODIC));
    ASSERT_TRUE(Eventually([&] { return p.ticks >= 100; }));
    for (UINT id : ids) service.KillEvent(id);
    std::lock_guard lock(p.mutex);
    ASSERT_EQ(p.threads.size(), 1u);
    EXPECT_NE(*p.threads.begin(), std::this_thread::get_id());
    EXPECT_EQ(std::set<UINT>(ids.begin(), ids.end()).size(), ids.size());
}

TEST(ThreadTimer, OneShotFiresOnceAndEnds) {
    ThreadTimerService service;
    Probe p;
    const UINT id = service.SetEvent(1, 1, &Count, User(p), TIME_ONESHOT);
    ASSERT_TRUE(Eventually([&] { return p.ticks == 1; }));
    EXPECT_TRUE(Eventually([&] { return !service.IsActive(id); }));
    EXPECT_EQ(service.KillEvent(id), MMSYSERR_INVALPARAM);
}

TEST(ThreadTimer, RefusesRequestsAfterShutdown) {
    ThreadTimerService service;
    Probe p;
    const UINT id = service.SetEvent(1, 1, &Count, User(p), TIME_PERIODIC);
    service.Shutdown();
    EXPECT_EQ(service.SetEvent(1, 1, &Count, User(p), TIME_PERIODIC), 0u);
    EXPECT_EQ(service.KillEvent(id), TIMERR_NOERROR);
}

struct Refusal {
    const char* name;
    UINT delay;
    LPTIMECALLBACK callback;
    UINT flags;
};

class TimerRefusal : public testing::TestWithParam<Refusal> {};

TEST_P(TimerRefusal, GivesIdZero) {
    ThreadTimerService service;
    Probe p;
    EXPECT_EQ(service.SetEvent(GetParam().delay, 1, GetParam().callback, User(p), GetParam().flags), 0u);
}

INSTANTIATE_TEST_SUITE_P(Requests, TimerRefusal,
                         testing::Values(Refusal{"ZeroDelay", 0, &Count, TIME_PERIODIC},
                                         Refusal{"NoCallback", 100, nullptr, TIME_PERIODIC},
                                         Refusal{"EventCallback", 100, &Count, TIME_PERIODIC | 0x0010}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TimerCaps, ReportsPeriodsForTheRightSizeOnly) {
    TIMECAPS caps{};
    EXPECT_EQ(timeGetDevCaps(&caps, sizeof caps), TIMERR_NOERROR);
    EXPECT_EQ(caps.wPeriodMin, 1u);
    EXPECT_GE(caps.wPeriodMax, 3600000u); // an hour's pulse period is accepted
    EXPECT_EQ(sizeof(TIMECAPS), 8u);
    EXPECT_EQ(timeGetDevCaps(&caps, 4), TIMERR_NOCANDO);
    EXPECT_EQ(timeGetDevCaps(nullptr, sizeof caps), TIMERR_NOCANDO);
}

TEST(ProcessTimer, GlobalCallsReachTheWorkerService) {
    Probe p;
    const UINT id = timeSetEvent(1, 1, &Count, User(p), TIME_PERIODIC);
    ASSERT_NE(id, 0u);
    EXPECT_TRUE(Eventually([&] { return p.ticks > 0; }));
    EXPECT_TRUE(IsTimerActive(id));
    EXPECT_EQ(timeKillEvent(id), TIMERR_NOERROR);
    EXPECT_FALSE(IsTimerActive(id));
}
