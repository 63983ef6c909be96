#include "platform/CodePage.h"

#include <algorithm>
#include <array>
#include <unordered_map>

namespace platform {
namespace {

// Code points of the bytes 0x80..0xFF. 0x98 has no character in the code page; it keeps
// its own value so that every byte survives a round trip.
constexpr std::array<char16_t, 128> kUpperHalf = {
    0x0402, 0x0403, 0x201A, 0x0453, 0x201E, 0x2026, 0x2020, 0x2021, 0x20AC, 0x2030, 0x0409, 0x2039, 0x040A,
    0x040C, 0x040B, 0x040F, 0x0452, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022, 0x2013, 0x2014, 0x0098, 0x2122,
    0x0459, 0x203A, 0x045A, 0x045C, 0x045B, 0x045F, 0x00A0, 0x040E, 0x045E, 0x0408, 0x00A4, 0x0490, 0x00A6,
    0x00A7, 0x0401, 0x00A9, 0x0404, 0x00AB, 0x00AC, 0x00AD, 0x00AE, 0x0407, 0x00B0, 0x00B1, 0x0406, 0x0456,
    0x0491, 0x00B5, 0x00B6, 0x00B7, 0x0451, 0x2116, 0x0454, 0x00BB, 0x0458, 0x0405, 0x0455, 0x0457, 0x0410,
    0x0411, 0x0412, 0x0413, 0x0414, 0x0415, 0x0416, 0x0417, 0x0418, 0x0419, 0x041A, 0x041B, 0x041C, 0x041D,
    0x041E, 0x041F, 0x0420, 0x0421, 0x0422, 0x0423, 0x0424, 0x0425, 0x0426, 0x0427, 0x0428, 0x0429, 0x042A,
    0x042B, 0x042C, 0x042D, 0x042E, 0x042F, 0x0430, 0x0431, 0x0432, 0x0433, 0x0434, 0x0435, 0x0436, 0x0437,
    0x0438, 0x0439, 0x043A, 0x043B, 0x043C, 0x043D, 0x043E, 0x043F, 0x0440, 0x0441, 0x0442, 0x0443, 0x0444,
    0x0445, 0x0446, 0x0447, 0x0448, 0x0449, 0x044A, 0x044B, 0x044C, 0x044D, 0x044E, 0x044F,
};

const std::unordered_map<char32_t, unsigned char>& UpperHalfByCodePoint() {
    static const auto table = [] {
        std::unordered_map<char32_t, unsigned char> t;
        for (unsigned i = 0; i < kUpperHalf.size(); ++i)
            t.emplace(kUpperHalf[i], static_cast<unsigned char>(0x80 + i));
        return t;
    }();
    return table;
}

char CodePointToAnsi(char32_t cp) {
    if (cp < 0x80) return static_cast<char>(cp);
    const auto& table = UpperHalfByCodePoint();
    auto it = table.find(cp);
    return it == table.end() ? '?' : static_cast<char>(it->second);
}

} // namespace

// Strict UTF-8 decoding: overlong forms, surrogates and values above U+10FFFF are malformed.
std::vector<char32_t> DecodeUtf8(std::string_view bytes) {
    std::vector<char32_t> out;
    out.reserve(bytes.size());
    size_t i = 0;
    while (i < bytes.size()) {
        const auto b0 = static_cast<unsigned char>(bytes[i]);
        if (b0 < 0x80) {
            out.push_back(b0);
            ++i;
            continue;
        }
        size_t length = 0;
        char32_t cp = 0, minimum = 0;
        if (b0 >= 0xC2 && b0 <= 0xDF)
            length = 2, cp = b0 & 0x1F, minimum = 0x80;
        else if (b0 >= 0xE0 && b0 <= 0xEF)
            length = 3, cp = b0 & 0x0F, minimum = 0x800;
        else if (b0 >= 0xF0 && b0 <= 0xF4)
            length = 4, cp = b0 & 0x07, minimum = 0x10000;
        size_t used = 1;
        bool good = length != 0;
        for (; good && used < length; ++used) {
            if (i + used >= bytes.size() || (static_cast<unsigned char>(bytes[i + used]) & 0xC0) != 0x80) {
                good = false;
                break;
            }
            cp = (cp << 6) | (static_cast<unsigned char>(bytes[i + used]) & 0x3F);
        }
        if (good && (cp < minimum || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF))) good = false;
        out.push_back(good ? cp : kReplacementChar);
        i += good ? length : std::max<size_t>(used, 1);
    }
    return out;
}

void AppendUtf8(std::string& out, char32_t cp) {
    if (cp < 0x80) {
        out += static_cast<char>(cp);
    } else if (cp < 0x800) {
        out += static_cast<char>(0xC0 | (cp >> 6));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += static_cast<char>(0xE0 | (cp >> 12));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (cp >> 18));
        out += static_cast<char>(0x80 | ((cp >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((cp >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (cp & 0x3F));
    }
}

char32_t AnsiToCodePoint(unsigned char byte) {
    return byte < 0x80 ? byte : kUpperHalf[byte - 0x80];
}

std::string Utf8ToAnsi(std::string_view utf8) {
    std::string out;
    out.reserve(utf8.size());
    for (char32_t cp : DecodeUtf8(utf8)) out += CodePointToAnsi(cp);
    return out;
}

std::string AnsiToUtf8(std::string_view ansi) {
    std::string out;
    out.reserve(ansi.size() * 2);
    for (unsigned char c : ansi) AppendUtf8(out, AnsiToCodePoint(c));
    return out;
}

} // namespace platform
