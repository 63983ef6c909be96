#include "platform/HotKeys.h"
#include "platform/X11ForeignGrab.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QGuiApplication>
#include <cstdlib>
#include <gtest/gtest.h>
#include <string>
#include <vector>

using namespace platform;

namespace {

// Not Ctrl+Alt+F-keys for the presses: the server's keymap turns those into console switches.
// Nor the program's own default combinations, which a running copy may hold.
constexpr unsigned kF11 = 0x7A, kF12 = 0x7B;
constexpr unsigned kCtrlAlt = MOD_CONTROL | MOD_ALT;

class X11HotKeys : public testing::Test {
protected:
    void SetUp() override {
        if (QGuiApplication::platformName() != "xcb") GTEST_SKIP() << "no X server on $DISPLAY";
        keys = CreateHotKeyService();
        keys->onHotKey = [this](int id) { pressed.push_back(id); };
    }

    // Sends keys through the server, then Ctrl+Alt+X as a marker (id 9), and returns the ids
    // that arrived before the marker. Events come in order, so nothing is waited for in vain.
    std::vector<int> Send(const std::string& xdotoolKeys) {
        pressed.clear();
        if (!keys->RegisterHotKey(kMarker, kCtrlAlt, 'X')) return {-1};
        if (std::system(("xdotool key " + xdotoolKeys + " ctrl+alt+x").c_str()) != 0) return {-2};
        QElapsedTimer waited;
        waited.start();
        while ((pressed.empty() || pressed.back() != kMarker) && waited.elapsed() < 10000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 20);
        keys->UnregisterHotKey(kMarker);
        if (pressed.empty() || pressed.back() != kMarker) return {-3};
        pressed.pop_back();
        return pressed;
    }

    static constexpr int kMarker = 9;
    std::unique_ptr<IHotKeyService> keys;
    std::vector<int> pressed;
};

struct PressCase {
    const char* name;
    unsigned modifiers;
    unsigned vk;
    const char* keys; // for xdotool
};

void PrintTo(const PressCase& c, std::ostream* os) {
    *os << c.name;
}

class X11HotKeyPress : public X11HotKeys, public testing::WithParamInterface<PressCase> {};

} // namespace

TEST_P(X11HotKeyPress, ReachesTheCallbackWhateverTheLockKeys) {
    if (std::system("command -v xdotool >/dev/null 2>&1") != 0) GTEST_SKIP() << "no xdotool";
    const PressCase& c = GetParam();
    ASSERT_TRUE(keys->RegisterHotKey(2, c.modifiers, c.vk));
    EXPECT_EQ(Send(c.keys), std::vector<int>{2});
    EXPECT_TRUE(keys->UnregisterHotKey(2));
    EXPECT_EQ(Send(c.keys), std::vector<int>{});
}

INSTANTIATE_TEST_SUITE_P(
    Keys, X11HotKeyPress,
    testing::Values(PressCase{"CtrlAltJ", kCtrlAlt, 'J', "ctrl+alt+j"},
                    PressCase{"CapsLock", kCtrlAlt, 'J', "Caps_Lock ctrl+alt+j Caps_Lock"},
                    PressCase{"NumLock", kCtrlAlt, 'J', "Num_Lock ctrl+alt+j Num_Lock"},
                    PressCase{"BothLocks", kCtrlAlt, 'J', "Caps_Lock Num_Lock ctrl+alt+j Num_Lock Caps_Lock"},
                    PressCase{"ShiftF5", MOD_SHIFT, 0x74, "shift+F5"},
                    PressCase{"CtrlShiftAltDigit", kCtrlAlt | MOD_SHIFT, '7', "ctrl+shift+alt+7"},
                    PressCase{"BareNumpad5", 0, 0x65, "KP_5"}),
    [](const auto& info) { return std::string(info.param.name); });

TEST_F(X11HotKeys, CombinationHeldByAnotherClientFailsQuietly) {
    {
        X11ForeignGrab other(kCtrlAlt, kF11);
        ASSERT_TRUE(other.Held());
        EXPECT_FALSE(keys->RegisterHotKey(1, kCtrlAlt, kF11));
        // The lock variants taken before the refusal were given back.
        X11ForeignGrab capsVariant(kCtrlAlt, kF11, true);
        EXPECT_TRUE(capsVariant.Held());
    }
    EXPECT_TRUE(keys->RegisterHotKey(1, kCtrlAlt, kF11));
}

TEST_F(X11HotKeys, ReleasedCombinationsAreFreeForOthers) {
    ASSERT_TRUE(keys->RegisterHotKey(1, kCtrlAlt, kF11));
    EXPECT_FALSE(X11ForeignGrab(kCtrlAlt, kF11).Held());
    ASSERT_TRUE(keys->RegisterHotKey(1, kCtrlAlt, kF12)); // replaces F11
    EXPECT_TRUE(X11ForeignGrab(kCtrlAlt, kF11).Held());
    EXPECT_FALSE(X11ForeignGrab(kCtrlAlt, kF12).Held());
    EXPECT_FALSE(keys->RegisterHotKey(2, kCtrlAlt, kF12)); // our own id 1 holds it
    keys.reset();                                          // the service ends: all released
    EXPECT_TRUE(X11ForeignGrab(kCtrlAlt, kF12).Held());
}

TEST_F(X11HotKeys, KeyWithoutEquivalentIsRefused) {
    EXPECT_FALSE(keys->RegisterHotKey(1, kCtrlAlt, 0x01));
}
