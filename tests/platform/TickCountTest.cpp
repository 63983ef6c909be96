#include "platform/GetTickCount.h"

#include <gtest/gtest.h>

namespace {
uint32_t FakeTicks() {
    return 4294967290u;
}
} // namespace

TEST(TickCount, FollowsTheInstalledSourceAndRestoresTheClock) {
    platform::SetTickSource(&FakeTicks);
    EXPECT_EQ(platform::GetTickCount(), 4294967290u);
    platform::SetTickSource(nullptr);
    const uint32_t a = platform::GetTickCount();
    const uint32_t b = platform::GetTickCount();
    EXPECT_LE(static_cast<uint32_t>(b - a), 1000u); // the monotonic clock, not the fake
}
