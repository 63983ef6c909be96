#include "platform/UiThread.h"
#include "platform/HotKeys.h"
#include "platform/ManualTimer.h"

#include <QCoreApplication>
#include <gtest/gtest.h>

using namespace platform;

namespace {

void HandOver(UINT id, UINT, DWORD_PTR user, DWORD_PTR, DWORD_PTR) {
    PostTimerTick(id, [user] { ++*reinterpret_cast<int*>(user); });
}

class UiTimerTick : public testing::Test {
protected:
    void SetUp() override { SetTimerService(&service); }
    void TearDown() override { SetTimerService(nullptr); }
    ManualTimerService service;
    int ran = 0;
};

} // namespace

TEST_F(UiTimerTick, RunsOnTheUiThreadLater) {
    const UINT id = timeSetEvent(100, 1, &HandOver, reinterpret_cast<DWORD_PTR>(&ran), TIME_PERIODIC);
    service.Advance(200);
    EXPECT_EQ(ran, 0); // queued, not run inside the callback
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 2);
    timeKillEvent(id);
}

TEST_F(UiTimerTick, TickQueuedBeforeTheKillDoesNothing) {
    const UINT id = timeSetEvent(100, 1, &HandOver, reinterpret_cast<DWORD_PTR>(&ran), TIME_PERIODIC);
    service.Advance(100);
    timeKillEvent(id);
    const UINT next = timeSetEvent(100, 1, &HandOver, reinterpret_cast<DWORD_PTR>(&ran), TIME_PERIODIC);
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 0);
    service.Advance(100);
    QCoreApplication::processEvents();
    EXPECT_EQ(ran, 1); // the new timer's tick does run
    timeKillEvent(next);
}

TEST(HotKeyFactory, OffscreenSessionRefusesRegistrations) {
    auto keys = CreateHotKeyService();
    ASSERT_NE(keys, nullptr);
    EXPECT_FALSE(keys->RegisterHotKey(1, MOD_CONTROL | MOD_ALT, 'Z'));
    EXPECT_FALSE(keys->UnregisterHotKey(1));
}
