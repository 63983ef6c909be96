#include "options/Options.h"

#include <gtest/gtest.h>

#include <cmath>

namespace {

struct ReadCase {
    const char* name;
    TOptionType type;
    const char* text;
    TVariant expected;
};

class TextReads : public testing::TestWithParam<ReadCase> {};

TEST_P(TextReads, ConvertsToTheTypedView) {
    const auto& c = GetParam();
    TOption option;
    option.SetOptionVarType(c.type);
    option.SetValueAsString(c.text);
    EXPECT_EQ(option.Value(), c.expected);
}

INSTANTIATE_TEST_SUITE_P(
    All, TextReads,
    testing::Values(ReadCase{"String", otString, "Tasks", TVariant("Tasks")},
                    ReadCase{"Integer", otInteger, "60000", TVariant(60000)},
                    ReadCase{"NegativeInteger", otInteger, "-2147483648", TVariant(-2147483648LL)},
                    ReadCase{"BoolLowerTrue", otBoolean, "true", TVariant(true)},
                    ReadCase{"BoolMixedTrue", otBoolean, "tRuE", TVariant(true)},
                    ReadCase{"BoolMinusOne", otBoolean, "-1", TVariant(true)},
                    ReadCase{"BoolOne", otBoolean, "1", TVariant(true)},
                    ReadCase{"BoolLocaleNumber", otBoolean, "0,5", TVariant(true)},
                    ReadCase{"BoolZero", otBoolean, "0", TVariant(false)},
                    ReadCase{"BoolFalse", otBoolean, "False", TVariant(false)},
                    ReadCase{"FloatComma", otFloat, "1,5", TVariant(1.5)},
                    ReadCase{"FloatExponent", otFloat, "-2,5E-3", TVariant(-0.0025)},
                    ReadCase{"Date", otDateTime, "31.12.1899", TVariant::FromDateTime(1.0)},
                    ReadCase{"DateTime", otDateTime, "01.01.1900 12:00:00", TVariant::FromDateTime(2.5)},
                    ReadCase{"DateTimeNoSeconds", otDateTime, "1.1.1900 6:00", TVariant::FromDateTime(2.25)},
                    ReadCase{"ColorName", otColor, "clRed", TVariant(255)},
                    ReadCase{"ColorNameAnyCase", otColor, "CLBTNFACE", TVariant(int32_t(0xFF00000F))},
                    ReadCase{"ColorHex", otColor, "$00FF8000", TVariant(0xFF8000)},
                    ReadCase{"ColorDecimal", otColor, "-16777201", TVariant(int32_t(0xFF00000F))},
                    ReadCase{"ShortCut", otShortCut, "Ctrl+Alt+Z", TVariant(0xC05A)},
                    ReadCase{"ShortCutLowerCase", otShortCut, "ctrl+alt+z", TVariant(0xC05A)},
                    ReadCase{"ShortCutNone", otShortCut, "", TVariant(0)},
                    ReadCase{"ShortCutGarbage", otShortCut, "Hyper+Q", TVariant(0)}),
    [](const auto& info) { return info.param.name; });

struct BadTextCase {
    const char* name;
    TOptionType type;
    const char* text;
    const char* message;
};

class BadTexts : public testing::TestWithParam<BadTextCase> {};

TEST_P(BadTexts, RaiseAConversionErrorAndLeaveTheOption) {
    const auto& c = GetParam();
    TOption option;
    option.SetOptionVarType(c.type);
    option.SetValueAsString(c.text);
    int changes = 0;
    option.Changed = [&](TOption*) { ++changes; };
    try {
        option.Value();
        FAIL() << "no error for " << c.text;
    } catch (const EConvertError& error) {
        EXPECT_STREQ(error.what(), c.message);
    }
    EXPECT_EQ(option.ValueAsString(), c.text);
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    All, BadTexts,
    testing::Values(
        BadTextCase{"EmptyInteger", otInteger, "", "'' is not a valid integer value"},
        BadTextCase{"WordInteger", otInteger, "abc", "'abc' is not a valid integer value"},
        BadTextCase{"IntegerOverflow", otInteger, "2147483648", "'2147483648' is not a valid integer value"},
        BadTextCase{"IntegerWithBlank", otInteger, "220 ", "'220 ' is not a valid integer value"},
        BadTextCase{"Yes", otBoolean, "yes", "'yes' is not a valid boolean value"},
        BadTextCase{"EmptyBoolean", otBoolean, "", "'' is not a valid boolean value"},
        BadTextCase{"FloatWithDot", otFloat, "1.5", "'1.5' is not a valid floating point value"},
        BadTextCase{"BadDate", otDateTime, "31.02.2020", "'31.02.2020' is not a valid date and time"},
        BadTextCase{"BadTime", otDateTime, "01.01.2020 24:00",
                    "'01.01.2020 24:00' is not a valid date and time"},
        BadTextCase{"ColorWord", otColor, "reddish", "'reddish' is not a valid color value"},
        BadTextCase{"ColorLongHex", otColor, "$123456789", "'$123456789' is not a valid color value"}),
    [](const auto& info) { return info.param.name; });

struct WriteCase {
    const char* name;
    TOptionType type;
    TVariant value;
    const char* text;
};

class ValueWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(ValueWrites, StoreTheTextForm) {
    const auto& c = GetParam();
    TOption option;
    option.SetOptionVarType(c.type);
    option.SetValue(c.value);
    EXPECT_EQ(option.ValueAsString(), c.text);
    // Whatever the option writes, it reads back.
    if (c.type != otString) {
        EXPECT_EQ(TypedToText(option.Value(), c.type), c.text);
    }
}

INSTANTIATE_TEST_SUITE_P(
    All, ValueWrites,
    testing::Values(
        WriteCase{"String", otString, TVariant("Tasks"), "Tasks"},
        WriteCase{"StringFromBoolean", otString, TVariant(true), "True"},
        WriteCase{"Integer", otInteger, TVariant(60000), "60000"},
        WriteCase{"NegativeInteger", otInteger, TVariant(-5), "-5"},
        WriteCase{"IntegerFromText", otInteger, TVariant("220"), "220"},
        WriteCase{"IntegerRoundsHalfToEven", otInteger, TVariant(2.5), "2"},
        WriteCase{"True", otBoolean, TVariant(true), "-1"},
        WriteCase{"False", otBoolean, TVariant(false), "0"},
        WriteCase{"BooleanFromText", otBoolean, TVariant("TRUE"), "-1"},
        WriteCase{"Float", otFloat, TVariant(1.5), "1,5"},
        WriteCase{"FloatWhole", otFloat, TVariant(100.0), "100"},
        WriteCase{"FloatSmall", otFloat, TVariant(0.00001), "0,00001"},
        WriteCase{"FloatTiny", otFloat, TVariant(1.5e-7), "1,5E-7"},
        WriteCase{"FloatLarge", otFloat, TVariant(1e15), "1E15"},
        WriteCase{"Float15Digits", otFloat, TVariant(1.0 / 3), "0,333333333333333"},
        WriteCase{"FloatNegative", otFloat, TVariant(-123456.75), "-123456,75"},
        WriteCase{"DateAtMidnight", otDateTime, TVariant::FromDateTime(45000.0), "15.03.2023"},
        WriteCase{"DateTime", otDateTime, TVariant::FromDateTime(45000.75), "15.03.2023 18:00:00"},
        WriteCase{"EarlyMorning", otDateTime, TVariant::FromDateTime(2 + 1.0 / 24), "01.01.1900 1:00:00"},
        WriteCase{"ColorNamed", otColor, TVariant(255), "clRed"},
        WriteCase{"ColorSystem", otColor, TVariant(int32_t(0xFF000005)), "clWindow"},
        WriteCase{"ColorSystemUnsigned", otColor, TVariant(0xFF000005u), "clWindow"},
        WriteCase{"ColorUnnamed", otColor, TVariant(0x123456), "$00123456"},
        WriteCase{"ColorFromName", otColor, TVariant("clblack"), "clBlack"},
        WriteCase{"ShortCut", otShortCut, TVariant(0xC05A), "Ctrl+Alt+Z"},
        WriteCase{"ShortCutNone", otShortCut, TVariant(0), ""},
        WriteCase{"ShortCutFromText", otShortCut, TVariant("shift+f5"), "Shift+F5"}),
    [](const auto& info) { return info.param.name; });

struct BadWriteCase {
    const char* name;
    TOptionType type;
    TVariant value;
};

class BadWrites : public testing::TestWithParam<BadWriteCase> {};

TEST_P(BadWrites, RaiseAndLeaveTheOptionUnchanged) {
    const auto& c = GetParam();
    TOption option;
    option.SetOptionVarType(c.type);
    option.SetValueAsString("before");
    int changes = 0;
    option.Changed = [&](TOption*) { ++changes; };
    EXPECT_THROW(option.SetValue(c.value), EConvertError);
    EXPECT_EQ(option.ValueAsString(), "before");
    EXPECT_EQ(changes, 0);
}

INSTANTIATE_TEST_SUITE_P(
    All, BadWrites,
    testing::Values(BadWriteCase{"TextIntoInteger", otInteger, TVariant("abc")},
                    // Would store a text that no longer reads back as a 32-bit integer.
                    BadWriteCase{"IntegerOutOfRange", otInteger, TVariant(int64_t{1} << 40)},
                    BadWriteCase{"NotANumber", otInteger, TVariant(std::nan(""))},
                    BadWriteCase{"TextIntoBoolean", otBoolean, TVariant("yes")},
                    BadWriteCase{"TextIntoFloat", otFloat, TVariant("1.5")},
                    BadWriteCase{"DateOutOfRange", otDateTime, TVariant::FromDateTime(1e9)},
                    BadWriteCase{"ColorOutOfRange", otColor, TVariant(int64_t{1} << 33)},
                    BadWriteCase{"ShortCutOutOfRange", otShortCut, TVariant(0x10000)},
                    BadWriteCase{"ShortCutUnknownText", otShortCut, TVariant("Hyper+Q")}),
    [](const auto& info) { return info.param.name; });

TEST(OptionValue, ChangeIsReportedOnlyWhenTheTextChanges) {
    TOption option;
    option.SetOptionVarType(otBoolean);
    option.SetValueAsString("True");
    std::vector<std::string> seen;
    option.Changed = [&](TOption* CurentOption) { seen.push_back(CurentOption->ValueAsString()); };

    option.SetValue(true); // "True" becomes "-1"
    option.SetValue(true);
    option.SetValueAsString("-1");
    option.SetValueAnyType(TVariant(5)); // any type is stored as its text
    option.Change();
    EXPECT_EQ(seen, (std::vector<std::string>{"-1", "5", "5"}));
    EXPECT_EQ(option.ValueAnyType(), TVariant("5"));
    EXPECT_EQ(option.GetValueAs(otInteger), TVariant(5));
    EXPECT_EQ(option.GetValueAs(otBoolean), TVariant(true));
}

TEST(OptionValue, FloatAndDateTextsReadBackExactly) {
    for (double value : {0.1, 2.0 / 3, 123456789012345.0, 1e300, -4.9e-324, 7.0, -0.5}) {
        const std::string text = FloatToStr(value);
        EXPECT_EQ(FloatToStr(StrToFloat(text)), text) << value;
    }
    for (double day : {-693593.0, -693593.5, -10.25, 0.0, 1.5, 45000.999988, 2958465.5}) {
        const std::string text = DateTimeToStr(day);
        EXPECT_EQ(DateTimeToStr(StrToDateTime(text)), text) << day;
    }
    EXPECT_EQ(DateTimeToStr(-693593.0), "01.01.0001");
    EXPECT_EQ(DateTimeToStr(2958465.0), "31.12.9999");
}

TEST(OptionValue, ColorTableNamesAreUniqueAndReadBack) {
    for (const char* name : {"clBlack", "clMaroon", "clWhite", "clMoneyGreen", "clBtnFace", "clWindow",
                             "clNone", "clDefault", "clWindowText", "cl3DDkShadow"}) {
        const auto color = IdentToColor(name);
        ASSERT_TRUE(color) << name;
        EXPECT_EQ(ColorToString(*color), name);
    }
}

TEST(OptionValue, TypeNamesReadBackInAnyCase) {
    const char* const names[] = {"string", "Integer", "Boolean", "Float", "DateTime", "Color", "ShortCut"};
    for (uint8_t t = otString; t <= otShortCut; ++t) {
        const auto type = static_cast<TOptionType>(t);
        EXPECT_EQ(OptionTypeName(type), names[t]);
        EXPECT_EQ(OptionTypeFromName(OptionTypeName(type)), type);
        std::string upper = names[t];
        for (char& ch : upper) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
        EXPECT_EQ(OptionTypeFromName(upper), type);
    }
    EXPECT_EQ(OptionTypeFromName("Currency"), otString);
}

} // namespace
