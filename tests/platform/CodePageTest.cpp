#include "platform/CodePage.h"

#include <gtest/gtest.h>

using platform::AnsiToUtf8;
using platform::Utf8ToAnsi;

TEST(CodePage, RussianTextMapsToItsBytes) {
    EXPECT_EQ(Utf8ToAnsi("Ёжик ёлка Яя"), "\xA8\xE6\xE8\xEA \xB8\xEB\xEA\xE0 \xDF\xFF");
    EXPECT_EQ(AnsiToUtf8("\xC0\xE0\xB9"), "Аа№");
}

TEST(CodePage, EveryByteSurvivesARoundTrip) {
    std::string all;
    for (int b = 1; b < 256; ++b) all += static_cast<char>(b);
    EXPECT_EQ(Utf8ToAnsi(AnsiToUtf8(all)), all);
}

TEST(CodePage, UnrepresentableAndMalformedBecomeQuestionMarks) {
    struct Case {
        const char* utf8;
        const char* ansi;
    } cases[] = {
        {"日本", "??"},                // outside the code page
        {"a\xF0\x9F\x98\x80z", "a?z"}, // outside the basic plane
        {"\xFF\xFE", "??"},            // not UTF-8 at all
        {"\xD0", "?"},                 // cut short
        {"\xC0\x80", "??"},            // overlong form of NUL: two malformed bytes
        {"\xED\xA0\x80", "?"},         // surrogate
    };
    for (const auto& c : cases) EXPECT_EQ(Utf8ToAnsi(c.utf8), c.ansi) << c.utf8;
}
