#include "platform/VirtualKeys.h"

#include <gtest/gtest.h>

struct KeyCase {
    const char* name;
    unsigned vk;
    uint32_t keysym;
};

class VirtualKeys : public testing::TestWithParam<KeyCase> {};

TEST_P(VirtualKeys, MapToTheKeysym) {
    EXPECT_EQ(platform::VirtualKeyToKeysym(GetParam().vk), GetParam().keysym);
}

INSTANTIATE_TEST_SUITE_P(Table, VirtualKeys,
                         testing::Values(KeyCase{"A", 0x41, 0x61}, KeyCase{"Z", 0x5A, 0x7a},
                                         KeyCase{"Digit0", 0x30, 0x30}, KeyCase{"Digit9", 0x39, 0x39},
                                         KeyCase{"F1", 0x70, 0xffbe}, KeyCase{"F11", 0x7A, 0xffc8},
                                         KeyCase{"F24", 0x87, 0xffd5}, KeyCase{"BackSpace", 0x08, 0xff08},
                                         KeyCase{"Enter", 0x0D, 0xff0d}, KeyCase{"Space", 0x20, 0x20},
                                         KeyCase{"PageDown", 0x22, 0xff56}, KeyCase{"Down", 0x28, 0xff54},
                                         KeyCase{"Delete", 0x2E, 0xffff}, KeyCase{"Numpad0", 0x60, 0xffb0},
                                         KeyCase{"Numpad9", 0x69, 0xffb9}, KeyCase{"Divide", 0x6F, 0xffaf},
                                         KeyCase{"Comma", 0xBC, 0x2c},
                                         // no equivalent: a mouse button, Shift alone, an unused code
                                         KeyCase{"LButton", 0x01, 0}, KeyCase{"Shift", 0x10, 0},
                                         KeyCase{"Unused", 0x1FFF, 0}),
                         [](const auto& info) { return std::string(info.param.name); });
