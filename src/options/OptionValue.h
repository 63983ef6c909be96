#pragma once
// The typed view of option texts: a small variant and the conversions between text and
// each option type. The texts follow the program's Russian locale (decimal comma, short
// date dd.MM.yyyy, long time H:mm:ss). Every failed conversion throws EConvertError.
#include "options/ShortCut.h"
#include "platform/DateTime.h"
#include "platform/Errors.h"

#include <concepts>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

enum TOptionType : uint8_t { otString, otInteger, otBoolean, otFloat, otDateTime, otColor, otShortCut };

enum TVarKind { varEmpty, varBoolean, varInteger, varDouble, varDate, varString };

// A value of one of the kinds above. Integers of every width are held as 64 bits; a date
// is a double marked as a date.
class TVariant {
public:
    TVariant() = default;
    TVariant(bool value) : v_(value) {}
    template <std::integral T>
    requires(!std::same_as<T, bool>) TVariant(T value) : v_(static_cast<int64_t>(value)) {}
    TVariant(double value) : v_(value) {}
    TVariant(std::string value) : v_(std::move(value)) {}
    TVariant(std::string_view value) : v_(std::string(value)) {}
    TVariant(const char* value) : v_(std::string(value)) {}
    static TVariant FromDateTime(platform::TDateTime value);

    TVarKind Kind() const { return static_cast<TVarKind>(v_.index()); }
    bool IsEmpty() const { return Kind() == varEmpty; }

    // Conversions in the variant's own rules: a text is parsed, a number is formatted, an
    // empty variant gives the empty text, 0 or false.
    std::string AsString() const;
    int64_t AsInt64() const;
    int32_t AsInteger() const;
    bool AsBoolean() const;
    double AsDouble() const;
    platform::TDateTime AsDateTime() const;
    TShortCut AsShortCut() const;

    bool operator==(const TVariant& other) const = default;

private:
    struct Date {
        double days;
        bool operator==(const Date&) const = default;
    };
    std::variant<std::monostate, bool, int64_t, double, Date, std::string> v_;
};

// Text -> value, as the option types read their texts.
int32_t StrToInt(std::string_view text);
bool StrToBool(std::string_view text);
double StrToFloat(std::string_view text);
platform::TDateTime StrToDateTime(std::string_view text);
int32_t StringToColor(std::string_view text);

// Value -> text, as the option types write them.
std::string IntToStr(int64_t value);
std::string FloatToStr(double value);
std::string DateTimeToStr(platform::TDateTime value);
std::string ColorToString(int32_t color);

// The colour table: the usual names ("clBlack", "clBtnFace", ...) and their values; names
// are matched without regard to letter case.
std::optional<int32_t> IdentToColor(std::string_view name);
std::optional<std::string_view> ColorToIdent(int32_t color);

// The text of an option of the given type converted to its typed view.
TVariant TextToTyped(std::string_view text, TOptionType type);
// A variant converted to the text that an option of the given type stores.
std::string TypedToText(const TVariant& value, TOptionType type);
