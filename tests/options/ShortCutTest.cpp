#include "options/ShortCut.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

struct Case {
    TShortCut value;
    const char* text;
};

TEST(ShortCut, TextForms) {
    const Case cases[] = {
        {0xC05A, "Ctrl+Alt+Z"},
        {0xC043, "Ctrl+Alt+C"},
        {0xC045, "Ctrl+Alt+E"},
        {0x2074, "Shift+F5"},
        {0xE05A, "Shift+Ctrl+Alt+Z"},
        {0x0078, "F9"},
        {0x0087, "F24"},
        {0x4030, "Ctrl+0"},
        {0x4060, "Ctrl+Num 0"},
        {0x0008, "BkSp"},
        {0x0009, "Tab"},
        {0x000D, "Enter"},
        {0x001B, "Esc"},
        {0x0020, "Space"},
        {0x0021, "PgUp"},
        {0x0022, "PgDn"},
        {0x0023, "End"},
        {0x0024, "Home"},
        {0x0025, "Left"},
        {0x0026, "Up"},
        {0x0027, "Right"},
        {0x0028, "Down"},
        {0x002D, "Ins"},
        {0x802E, "Alt+Del"},
        {0x006B, "Num +"},
        {0x20BB, "Shift+="},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(ShortCutToText(c.value), c.text);
        EXPECT_EQ(TextToShortCut(c.text), c.value) << c.text;
    }
}

TEST(ShortCut, TextsThatNameNoCombination) {
    for (const char* text : {"", "Ctrl+", "Alt+Ctrl+Z", "Ctrl+Ctrl+Z", "Ctrl + Alt + Z", " Ctrl+Alt+Z",
                             "Ctrl+Alt+Z ", "F25", "Ctrl+Alt+ZZ", "Hyper+Q", "Shift"})
        EXPECT_EQ(TextToShortCut(text), 0) << text;
    // No key, keys without a name, and codes above the virtual-key range give no text.
    for (TShortCut value : {0x0000, 0x4000, 0xE000, 0x4010, 0x0007, 0x015A, 0x1FFF})
        EXPECT_EQ(ShortCutToText(value), "");
}

// Every value that has a text reads back from it, in any letter case.
TEST(ShortCut, ParsingIsTheExactInverse) {
    for (uint32_t v = 0; v <= 0xFFFF; ++v) {
        const auto value = static_cast<TShortCut>(v);
        const std::string text = ShortCutToText(value);
        if (text.empty()) continue;
        ASSERT_EQ(TextToShortCut(text), value) << text;
        std::string lower = text, upper = text;
        for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
        for (char& c : upper) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
        ASSERT_EQ(TextToShortCut(lower), value) << lower;
        ASSERT_EQ(TextToShortCut(upper), value) << upper;
    }
}

} // namespace
