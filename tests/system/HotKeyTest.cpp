#include "system/HotKey.h"
#include "platform/FakeHotKeys.h"

#include <gtest/gtest.h>

using platform::FakeHotKeyService;

struct MappingCase {
    const char* name;
    TShortCut shortcut;
    unsigned modifiers;
    unsigned key;
};

class HotKeyMapping : public testing::TestWithParam<MappingCase> {};

TEST_P(HotKeyMapping, RegistersKeyAndModifiers) {
    FakeHotKeyService keys;
    SetHotKey(keys, 1, GetParam().shortcut);
    ASSERT_EQ(keys.Calls().size(), 1u);
    const auto& call = keys.Calls()[0];
    EXPECT_TRUE(call.registers);
    EXPECT_EQ(call.id, 1);
    EXPECT_EQ(call.combination.modifiers, GetParam().modifiers);
    EXPECT_EQ(call.combination.vk, GetParam().key);
}

INSTANTIATE_TEST_SUITE_P(Table, HotKeyMapping,
                         testing::Values(MappingCase{"CtrlAltZ", 0xC05A, 0x0003, 0x5A},
                                         MappingCase{"CtrlAltC", 0xC043, 0x0003, 0x43},
                                         MappingCase{"CtrlAltE", 0xC045, 0x0003, 0x45},
                                         MappingCase{"ShiftF5", 0x2074, 0x0004, 0x74},
                                         MappingCase{"CtrlShiftAltZ", 0xE05A, 0x0007, 0x5A},
                                         MappingCase{"BareF9", 0x0078, 0x0000, 0x78},
                                         MappingCase{"CtrlOnly", 0x4000, 0x0002, 0x00},
                                         MappingCase{"AltWidestKey", 0x9FFF, 0x0001, 0x1FFF}),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(SetHotKey, ZeroUnregisters) {
    FakeHotKeyService keys;
    SetHotKey(keys, 2, 0xC043);
    SetHotKey(keys, 2, 0);
    EXPECT_FALSE(keys.Find(2));
    ASSERT_EQ(keys.Calls().size(), 2u);
    EXPECT_FALSE(keys.Calls()[1].registers);
    SetHotKey(keys, 2, 0); // nothing held: fails quietly
}

TEST(SetHotKey, CombinationHeldElsewhereLeavesTheIdUnregistered) {
    FakeHotKeyService keys;
    keys.HoldByOtherClient(platform::MOD_CONTROL | platform::MOD_ALT, 'E');
    SetHotKey(keys, 3, 0xC045);
    EXPECT_FALSE(keys.Find(3));
}

// Start-up, the settings dialog switching all three off while open, and its closing
// reporting every hot key option again (a changed one twice).
TEST(SetHotKey, DialogRoundTripLeavesOneRegistrationEach) {
    FakeHotKeyService keys;
    int pressed = 0;
    keys.onHotKey = [&](int id) { pressed = id; };
    const TShortCut defaults[] = {0xC05A, 0xC043, 0xC045};
    for (int id = 1; id <= 3; ++id) SetHotKey(keys, id, defaults[id - 1]);
    for (int id = 1; id <= 3; ++id) SetHotKey(keys, id, 0);
    EXPECT_TRUE(keys.Registrations().empty());
    EXPECT_FALSE(keys.Press(platform::MOD_CONTROL | platform::MOD_ALT, 'Z'));

    const TShortCut changed = 0x6041; // Ctrl+Shift+A for id 2
    SetHotKey(keys, 2, changed);
    for (int id = 1; id <= 3; ++id) SetHotKey(keys, id, id == 2 ? changed : defaults[id - 1]);
    EXPECT_EQ(keys.Registrations().size(), 3u);
    EXPECT_TRUE(keys.Press(platform::MOD_CONTROL | platform::MOD_SHIFT, 'A'));
    EXPECT_EQ(pressed, 2);
    EXPECT_TRUE(keys.Press(platform::MOD_CONTROL | platform::MOD_ALT, 'E'));
    EXPECT_EQ(pressed, 3);
}
