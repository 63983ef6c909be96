#include "options/OptionValue.h"

#include "options/TextCase.h"

#include <array>
#include <charconv>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <limits>

namespace {

using platform::TDateTime;

[[noreturn]] void Fail(const std::string& text) {
    throw EConvertError(text);
}

std::string Quoted(std::string_view text) {
    return "'" + std::string(text) + "'";
}

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// Decimal integer with an optional sign and nothing else around it.
std::optional<int64_t> ParseInt64(std::string_view text) {
    std::string_view digits = text;
    bool negative = false;
    if (!digits.empty() && (digits.front() == '+' || digits.front() == '-')) {
        negative = digits.front() == '-';
        digits.remove_prefix(1);
    }
    if (digits.empty() || digits.size() > 19) return std::nullopt;
    uint64_t magnitude = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        magnitude = magnitude * 10 + static_cast<unsigned>(c - '0');
    }
    if (magnitude > static_cast<uint64_t>(std::numeric_limits<int64_t>::max()) + (negative ? 1 : 0))
        return std::nullopt;
    return negative ? static_cast<int64_t>(0 - magnitude) : static_cast<int64_t>(magnitude);
}

// A number with the locale's decimal comma and an optional exponent; blanks around it are
// allowed. Also reads back the texts FloatToStr gives for the special values.
std::optional<double> ParseLocaleFloat(std::string_view text, bool specialValues = true) {
    text = Trimmed(text);
    if (specialValues) {
        if (SameText(text, "NAN")) return std::numeric_limits<double>::quiet_NaN();
        if (SameText(text, "INF") || SameText(text, "+INF")) return std::numeric_limits<double>::infinity();
        if (SameText(text, "-INF")) return -std::numeric_limits<double>::infinity();
    }
    std::string plain;
    size_t i = 0;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) {
        if (text[i] == '-') plain += '-';
        ++i;
    }
    size_t mantissaDigits = 0;
    while (i < text.size() && IsDigit(text[i])) plain += text[i++], ++mantissaDigits;
    if (i < text.size() && text[i] == ',') {
        plain += '.';
        ++i;
        while (i < text.size() && IsDigit(text[i])) plain += text[i++], ++mantissaDigits;
    }
    if (mantissaDigits == 0) return std::nullopt;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        plain += 'e';
        ++i;
        if (i < text.size() && (text[i] == '+' || text[i] == '-')) plain += text[i++];
        size_t exponentDigits = 0;
        while (i < text.size() && IsDigit(text[i])) plain += text[i++], ++exponentDigits;
        if (exponentDigits == 0) return std::nullopt;
    }
    if (i != text.size()) return std::nullopt;
    double value = 0;
    const auto [end, ec] = std::from_chars(plain.data(), plain.data() + plain.size(), value);
    if (ec != std::errc() || end != plain.data() + plain.size()) return std::nullopt;
    return value;
}

// Days since 30 December 1899 <-> civil dates, for the years 1 to 9999.
constexpr std::chrono::sys_days kDayZero = std::chrono::year(1899) / 12 / 30;

std::optional<double> EncodeDate(int year, unsigned month, unsigned day) {
    const std::chrono::year_month_day date{std::chrono::year(year), std::chrono::month(month),
                                           std::chrono::day(day)};
    if (year < 1 || year > 9999 || !date.ok()) return std::nullopt;
    return static_cast<double>((std::chrono::sys_days(date) - kDayZero).count());
}

std::optional<unsigned> ParseSmall(std::string_view text, size_t maxDigits) {
    if (text.empty() || text.size() > maxDigits) return std::nullopt;
    unsigned value = 0;
    for (char c : text) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + static_cast<unsigned>(c - '0');
    }
    return value;
}

std::optional<double> ParseDate(std::string_view text) {
    const size_t dot1 = text.find('.');
    const size_t dot2 = dot1 == std::string_view::npos ? dot1 : text.find('.', dot1 + 1);
    if (dot2 == std::string_view::npos) return std::nullopt;
    const auto day = ParseSmall(text.substr(0, dot1), 2);
    const auto month = ParseSmall(text.substr(dot1 + 1, dot2 - dot1 - 1), 2);
    const auto year = ParseSmall(text.substr(dot2 + 1), 4);
    if (!day || !month || !year) return std::nullopt;
    return EncodeDate(static_cast<int>(*year), *month, *day);
}

std::optional<double> ParseTime(std::string_view text) {
    unsigned parts[3] = {0, 0, 0};
    size_t count = 0;
    while (true) {
        const size_t colon = text.find(':');
        if (count == 3) return std::nullopt;
        const auto part = ParseSmall(text.substr(0, colon), 2);
        if (!part) return std::nullopt;
        parts[count++] = *part;
        if (colon == std::string_view::npos) break;
        text.remove_prefix(colon + 1);
    }
    if (count < 2 || parts[0] > 23 || parts[1] > 59 || parts[2] > 59) return std::nullopt;
    return (parts[0] * 3600.0 + parts[1] * 60.0 + parts[2]) / 86400.0;
}

std::string Pad2(unsigned value) {
    std::string text = std::to_string(value);
    return value < 10 ? "0" + text : text;
}

const char* KindName(TVarKind kind) {
    static const char* const names[] = {"Empty", "Boolean", "Integer", "Double", "Date", "String"};
    return names[kind];
}

struct ColorEntry {
    int32_t value;
    std::string_view name;
};

constexpr int32_t SystemColor(int index) {
    return static_cast<int32_t>(0xFF000000u | static_cast<uint32_t>(index));
}

constexpr std::array<ColorEntry, 52> kColors = {{
    {0x000000, "clBlack"},
    {0x000080, "clMaroon"},
    {0x008000, "clGreen"},
    {0x008080, "clOlive"},
    {0x800000, "clNavy"},
    {0x800080, "clPurple"},
    {0x808000, "clTeal"},
    {0x808080, "clGray"},
    {0xC0C0C0, "clSilver"},
    {0x0000FF, "clRed"},
    {0x00FF00, "clLime"},
    {0x00FFFF, "clYellow"},
    {0xFF0000, "clBlue"},
    {0xFF00FF, "clFuchsia"},
    {0xFFFF00, "clAqua"},
    {0xFFFFFF, "clWhite"},
    {0xC0DCC0, "clMoneyGreen"},
    {0xF0CAA6, "clSkyBlue"},
    {0xF0FBFF, "clCream"},
    {0xA4A0A0, "clMedGray"},
    {SystemColor(10), "clActiveBorder"},
    {SystemColor(2), "clActiveCaption"},
    {SystemColor(12), "clAppWorkSpace"},
    {SystemColor(1), "clBackground"},
    {SystemColor(15), "clBtnFace"},
    {SystemColor(20), "clBtnHighlight"},
    {SystemColor(16), "clBtnShadow"},
    {SystemColor(18), "clBtnText"},
    {SystemColor(9), "clCaptionText"},
    {0x20000000, "clDefault"},
    {SystemColor(27), "clGradientActiveCaption"},
    {SystemColor(28), "clGradientInactiveCaption"},
    {SystemColor(17), "clGrayText"},
    {SystemColor(13), "clHighlight"},
    {SystemColor(14), "clHighlightText"},
    {SystemColor(26), "clHotLight"},
    {SystemColor(11), "clInactiveBorder"},
    {SystemColor(3), "clInactiveCaption"},
    {SystemColor(19), "clInactiveCaptionText"},
    {SystemColor(24), "clInfoBk"},
    {SystemColor(23), "clInfoText"},
    {SystemColor(4), "clMenu"},
    {SystemColor(30), "clMenuBar"},
    {SystemColor(29), "clMenuHighlight"},
    {SystemColor(7), "clMenuText"},
    {0x1FFFFFFF, "clNone"},
    {SystemColor(0), "clScrollBar"},
    {SystemColor(21), "cl3DDkShadow"},
    {SystemColor(22), "cl3DLight"},
    {SystemColor(5), "clWindow"},
    {SystemColor(6), "clWindowFrame"},
    {SystemColor(8), "clWindowText"},
}};

} // namespace

// ---- text -> value ----

int32_t StrToInt(std::string_view text) {
    const auto value = ParseInt64(text);
    if (!value || *value < std::numeric_limits<int32_t>::min() ||
        *value > std::numeric_limits<int32_t>::max())
        Fail(Quoted(text) + " is not a valid integer value");
    return static_cast<int32_t>(*value);
}

bool StrToBool(std::string_view text) {
    if (const auto number = ParseLocaleFloat(text, false)) return *number != 0;
    if (SameText(text, "True")) return true;
    if (SameText(text, "False")) return false;
    Fail(Quoted(text) + " is not a valid boolean value");
}

double StrToFloat(std::string_view text) {
    const auto value = ParseLocaleFloat(text);
    if (!value) Fail(Quoted(text) + " is not a valid floating point value");
    return *value;
}

TDateTime StrToDateTime(std::string_view text) {
    const std::string_view body = Trimmed(text);
    std::optional<double> date = 0.0, time = 0.0;
    const size_t blank = body.find(' ');
    if (blank != std::string_view::npos) {
        date = ParseDate(body.substr(0, blank));
        time = ParseTime(Trimmed(body.substr(blank + 1)));
    } else if (body.find(':') != std::string_view::npos) {
        time = ParseTime(body);
    } else {
        date = ParseDate(body);
    }
    if (!date || !time) Fail(Quoted(text) + " is not a valid date and time");
    // Before day zero the time still counts forward from midnight.
    return *date >= 0 ? *date + *time : *date - *time;
}

std::optional<int32_t> IdentToColor(std::string_view name) {
    for (const auto& entry : kColors)
        if (SameText(entry.name, name)) return entry.value;
    return std::nullopt;
}

std::optional<std::string_view> ColorToIdent(int32_t color) {
    for (const auto& entry : kColors)
        if (entry.value == color) return entry.name;
    return std::nullopt;
}

int32_t StringToColor(std::string_view text) {
    if (const auto named = IdentToColor(text)) return *named;
    if (text.size() >= 2 && text.size() <= 9 && text.front() == '$') {
        uint32_t value = 0;
        const auto [end, ec] = std::from_chars(text.data() + 1, text.data() + text.size(), value, 16);
        if (ec == std::errc() && end == text.data() + text.size()) return static_cast<int32_t>(value);
    } else if (const auto value = ParseInt64(text)) {
        if (*value >= std::numeric_limits<int32_t>::min() && *value <= std::numeric_limits<int32_t>::max())
            return static_cast<int32_t>(*value);
    }
    Fail(Quoted(text) + " is not a valid color value");
}

// ---- value -> text ----

std::string IntToStr(int64_t value) {
    return std::to_string(value);
}

std::string FloatToStr(double value) {
    if (std::isnan(value)) return "NAN";
    if (std::isinf(value)) return value > 0 ? "INF" : "-INF";
    if (value == 0) return "0";
    // Fifteen significant digits, rounded; then fixed notation unless the number is very
    // large or very small, as the general format does.
    char buffer[40];
    std::snprintf(buffer, sizeof buffer, "%.14e", value);
    std::string_view scientific = buffer;
    std::string sign;
    if (scientific.front() == '-') {
        sign = "-";
        scientific.remove_prefix(1);
    }
    std::string digits;
    digits += scientific[0];
    digits.append(scientific.substr(2, 14));
    const int exponent = std::atoi(std::string(scientific.substr(scientific.find('e') + 1)).c_str());
    while (digits.size() > 1 && digits.back() == '0') digits.pop_back();
    std::string text = sign;
    if (exponent >= -5 && exponent < 15) {
        if (exponent < 0) {
            text += "0," + std::string(static_cast<size_t>(-exponent - 1), '0') + digits;
        } else {
            const size_t whole = static_cast<size_t>(exponent) + 1;
            if (digits.size() <= whole) {
                text += digits + std::string(whole - digits.size(), '0');
            } else {
                text += digits.substr(0, whole) + "," + digits.substr(whole);
            }
        }
    } else {
        text += digits.substr(0, 1);
        if (digits.size() > 1) text += "," + digits.substr(1);
        text += "E" + std::to_string(exponent);
    }
    return text;
}

std::string DateTimeToStr(TDateTime value) {
    // Days of the years 1 to 9999.
    auto inRange = [](double day) { return day >= -693593.0 && day <= 2958465.0; };
    double whole = std::trunc(value);
    if (!std::isfinite(value) || !inRange(whole))
        Fail("The date-time value " + FloatToStr(value) + " is out of range");
    int64_t ms = std::llround(std::fabs(value - whole) * 86400000.0);
    if (ms >= 86400000) {
        ms -= 86400000;
        whole += value < 0 ? -1 : 1;
        if (!inRange(whole)) Fail("The date-time value " + FloatToStr(value) + " is out of range");
    }
    const std::chrono::year_month_day date{kDayZero + std::chrono::days(static_cast<int64_t>(whole))};
    std::string text =
        Pad2(static_cast<unsigned>(date.day())) + "." + Pad2(static_cast<unsigned>(date.month())) + ".";
    const std::string year = std::to_string(static_cast<int>(date.year()));
    text += std::string(year.size() < 4 ? 4 - year.size() : 0, '0') + year;
    const int64_t seconds = ms / 1000;
    if (ms != 0)
        text += " " + std::to_string(seconds / 3600) + ":" + Pad2(static_cast<unsigned>(seconds / 60 % 60)) +
                ":" + Pad2(static_cast<unsigned>(seconds % 60));
    return text;
}

std::string ColorToString(int32_t color) {
    if (const auto name = ColorToIdent(color)) return std::string(*name);
    char buffer[16];
    std::snprintf(buffer, sizeof buffer, "$%08X", static_cast<uint32_t>(color));
    return buffer;
}

// ---- the variant ----

TVariant TVariant::FromDateTime(TDateTime value) {
    TVariant result;
    result.v_ = Date{value};
    return result;
}

std::string TVariant::AsString() const {
    switch (Kind()) {
    case varEmpty:
        return {};
    case varBoolean:
        return std::get<bool>(v_) ? "True" : "False";
    case varInteger:
        return IntToStr(std::get<int64_t>(v_));
    case varDouble:
        return FloatToStr(std::get<double>(v_));
    case varDate:
        return DateTimeToStr(std::get<Date>(v_).days);
    case varString:
        return std::get<std::string>(v_);
    }
    return {};
}

int64_t TVariant::AsInt64() const {
    auto fromDouble = [this](double value) {
        // Round half to even, as the variant conversions of the platform do.
        const double rounded = std::nearbyint(value);
        if (!std::isfinite(rounded) || rounded < -9.2233720368547758e18 || rounded >= 9.2233720368547758e18)
            Fail("Could not convert variant of type (" + std::string(KindName(Kind())) +
                 ") into type (Int64)");
        return static_cast<int64_t>(rounded);
    };
    switch (Kind()) {
    case varEmpty:
        return 0;
    case varBoolean:
        return std::get<bool>(v_) ? -1 : 0;
    case varInteger:
        return std::get<int64_t>(v_);
    case varDouble:
        return fromDouble(std::get<double>(v_));
    case varDate:
        return fromDouble(std::get<Date>(v_).days);
    case varString: {
        const auto value = ParseInt64(std::get<std::string>(v_));
        if (!value) Fail(Quoted(std::get<std::string>(v_)) + " is not a valid integer value");
        return *value;
    }
    }
    return 0;
}

int32_t TVariant::AsInteger() const {
    const int64_t value = AsInt64();
    if (value < std::numeric_limits<int32_t>::min() || value > std::numeric_limits<int32_t>::max())
        Fail(IntToStr(value) + " is out of the range of a 32-bit integer");
    return static_cast<int32_t>(value);
}

bool TVariant::AsBoolean() const {
    switch (Kind()) {
    case varEmpty:
        return false;
    case varBoolean:
        return std::get<bool>(v_);
    case varInteger:
        return std::get<int64_t>(v_) != 0;
    case varDouble:
        return std::get<double>(v_) != 0;
    case varDate:
        return std::get<Date>(v_).days != 0;
    case varString:
        return StrToBool(std::get<std::string>(v_));
    }
    return false;
}

double TVariant::AsDouble() const {
    switch (Kind()) {
    case varEmpty:
        return 0;
    case varBoolean:
        return std::get<bool>(v_) ? -1 : 0;
    case varInteger:
        return static_cast<double>(std::get<int64_t>(v_));
    case varDouble:
        return std::get<double>(v_);
    case varDate:
        return std::get<Date>(v_).days;
    case varString:
        return StrToFloat(std::get<std::string>(v_));
    }
    return 0;
}

TDateTime TVariant::AsDateTime() const {
    if (Kind() == varString) return StrToDateTime(std::get<std::string>(v_));
    return AsDouble();
}

TShortCut TVariant::AsShortCut() const {
    if (Kind() == varString) {
        const std::string& text = std::get<std::string>(v_);
        if (text.empty()) return 0;
        if (const auto number = ParseInt64(text)) {
            if (*number >= 0 && *number <= 0xFFFF) return static_cast<TShortCut>(*number);
        } else if (const TShortCut shortCut = TextToShortCut(text)) {
            return shortCut;
        }
        Fail(Quoted(text) + " is not a valid key combination");
    }
    const int64_t value = AsInt64();
    if (value < 0 || value > 0xFFFF) Fail(IntToStr(value) + " is not a valid key combination");
    return static_cast<TShortCut>(value);
}

// ---- options ----

TVariant TextToTyped(std::string_view text, TOptionType type) {
    switch (type) {
    case otString:
        return TVariant(text);
    case otInteger:
        return TVariant(StrToInt(text));
    case otBoolean:
        return TVariant(StrToBool(text));
    case otFloat:
        return TVariant(StrToFloat(text));
    case otDateTime:
        return TVariant::FromDateTime(StrToDateTime(text));
    case otColor:
        return TVariant(StringToColor(text));
    case otShortCut:
        return TVariant(TextToShortCut(text));
    }
    return TVariant(text);
}

std::string TypedToText(const TVariant& value, TOptionType type) {
    switch (type) {
    case otString:
        return value.AsString();
    case otInteger:
        return IntToStr(value.AsInteger());
    case otBoolean:
        return value.AsBoolean() ? "-1" : "0";
    case otFloat:
        return FloatToStr(value.AsDouble());
    case otDateTime:
        return DateTimeToStr(value.AsDateTime());
    case otColor: {
        if (value.Kind() == varString) return ColorToString(StringToColor(value.AsString()));
        const int64_t color = value.AsInt64();
        // Colours are 32 bits; both the signed and the unsigned reading are accepted.
        if (color < std::numeric_limits<int32_t>::min() || color > std::numeric_limits<uint32_t>::max())
            Fail(IntToStr(color) + " is not a valid color value");
        return ColorToString(static_cast<int32_t>(static_cast<uint32_t>(color)));
    }
    case otShortCut:
        return ShortCutToText(value.AsShortCut());
    }
    return value.AsString();
}
