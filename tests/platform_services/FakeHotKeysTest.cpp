#include "platform/FakeHotKeys.h"

#include <gtest/gtest.h>

using namespace platform;

TEST(FakeHotKeys, RefusesCombinationsAlreadyHeld) {
    FakeHotKeyService keys;
    keys.HoldByOtherClient(MOD_CONTROL | MOD_ALT, 'E');
    EXPECT_FALSE(keys.RegisterHotKey(3, MOD_CONTROL | MOD_ALT, 'E'));
    EXPECT_TRUE(keys.RegisterHotKey(1, MOD_CONTROL | MOD_ALT, 'Z'));
    EXPECT_FALSE(keys.RegisterHotKey(2, MOD_CONTROL | MOD_ALT, 'Z')); // another id holds it
    EXPECT_FALSE(keys.RegisterHotKey(1, MOD_CONTROL | MOD_ALT, 'Z')); // id holds it already
    EXPECT_EQ(keys.Registrations().size(), 1u);
}

TEST(FakeHotKeys, NewCombinationReplacesTheOldOne) {
    FakeHotKeyService keys;
    ASSERT_TRUE(keys.RegisterHotKey(1, MOD_ALT, 'A'));
    ASSERT_TRUE(keys.RegisterHotKey(1, MOD_ALT, 'B'));
    EXPECT_FALSE(keys.Press(MOD_ALT, 'A'));
    EXPECT_TRUE(keys.UnregisterHotKey(1));
    EXPECT_FALSE(keys.UnregisterHotKey(1));
}

TEST(FakeHotKeys, PressDeliversTheId) {
    FakeHotKeyService keys;
    int pressed = 0;
    keys.onHotKey = [&](int id) { pressed = id; };
    keys.RegisterHotKey(2, MOD_CONTROL, 'C');
    EXPECT_FALSE(keys.Press(MOD_CONTROL | MOD_SHIFT, 'C'));
    EXPECT_EQ(pressed, 0);
    EXPECT_TRUE(keys.Press(MOD_CONTROL, 'C'));
    EXPECT_EQ(pressed, 2);
}
