#pragma once
// The ANSI code page of the program: Windows-1251. The program's own strings are UTF-8;
// stored task texts are single bytes in this code page.
#include <string>
#include <string_view>
#include <vector>

namespace platform {

// UTF-8 -> Windows-1251. A character the code page cannot hold, and every malformed
// UTF-8 sequence, becomes "?".
std::string Utf8ToAnsi(std::string_view utf8);

// Windows-1251 -> UTF-8. Every byte has a character, so nothing is lost.
std::string AnsiToUtf8(std::string_view ansi);

// Strict UTF-8 decoding: every malformed sequence (overlong forms, surrogates, values above
// U+10FFFF, cut sequences) gives one U+FFFD.
inline constexpr char32_t kReplacementChar = 0xFFFD;
std::vector<char32_t> DecodeUtf8(std::string_view utf8);
void AppendUtf8(std::string& out, char32_t cp);

// The Unicode code point of one Windows-1251 byte.
char32_t AnsiToCodePoint(unsigned char byte);

} // namespace platform
