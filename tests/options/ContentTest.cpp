#include "options/Options.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace std::string_literals;

// Stored-form pieces, spelled out byte by byte.
std::string Short(const std::string& text) {
    return "\x06"s + static_cast<char>(text.size()) + text;
}
std::string Tagged(char tag, uint32_t count, const std::string& payload) {
    std::string out(1, tag);
    for (int shift = 0; shift < 32; shift += 8) out += static_cast<char>((count >> shift) & 0xFF);
    return out + payload;
}
const std::string kEmpty = Tagged('\x12', 0, "");
std::string Property(const std::string& items) {
    return "\x07"s + "Content" + "\x01" + items + "\x00"s;
}

std::unique_ptr<TOption> MakeOption(const std::string& ident, const std::string& section,
                                    const std::string& def, const std::string& text, TOptionType type) {
    auto option = std::make_unique<TOption>();
    option->SetIdent(ident);
    option->SetSection(section);
    option->SetDefaultValue(def);
    option->SetValueAsString(text);
    option->SetOptionVarType(type);
    return option;
}

struct Record {
    std::string ident, section, def, text;
    TOptionType type;
    bool operator==(const Record&) const = default;
};

std::vector<Record> Records(const TOptions& store) {
    std::vector<Record> records;
    for (int32_t i = 0; i < store.Items().Count(); ++i) {
        const TOption* o = store.Items().GetItem(i);
        records.push_back(
            {o->Ident(), o->Section(), o->DefaultValue(), o->ValueAsString(), o->OptionVarType()});
    }
    return records;
}

TEST(Content, WritesTheFirstCatalogueRecordByteForByte) {
    TOptions store;
    store.Items().Add(MakeOption("ChartTimer", "Value", "60000", "", otInteger));
    const std::string expected = "\x07"
                                 "Content"
                                 "\x01"
                                 "\x06\x11TOptionList v.1.3"
                                 "\x06\x0a"
                                 "ChartTimer"
                                 "\x06\x05Value"
                                 "\x06\x05"
                                 "60000"
                                 "\x12\x00\x00\x00\x00"
                                 "\x06\x07Integer"
                                 "\x00"s;
    EXPECT_EQ(WriteContentProperty(store), expected);

    TOptions empty;
    EXPECT_EQ(WriteContentProperty(empty), Property(Short("TOptionList v.1.3")));
}

TEST(Content, WriterChoosesTheTextForm) {
    struct Case {
        std::string text;
        std::string bytes;
    } cases[] = {
        {"A", "\x06\x01"
              "A"},
        {std::string(255, 'a'), "\x06\xff" + std::string(255, 'a')},
        {std::string(256, 'a'), Tagged('\x0c', 256, std::string(256, 'a'))},
        {"", kEmpty},
        // UTF-8 shorter than twice the UTF-16 length: UTF-8.
        {"ab\xe2\x82\xac", Tagged('\x14', 5, "ab\xe2\x82\xac")},
        // Cyrillic takes exactly two bytes a character: UTF-16.
        {"\xd0\x9f\xd1\x83", Tagged('\x12', 2, "\x1f\x04\x43\x04"s)},
        {"\xf0\x9f\x98\x80", Tagged('\x12', 2, "\x3d\xd8\x00\xde"s)},
        // Malformed UTF-8 is stored with U+FFFD in its place.
        {"\xff", Tagged('\x12', 1, "\xfd\xff")},
    };
    for (const auto& c : cases) {
        TWriter writer;
        writer.WriteString(c.text);
        EXPECT_EQ(writer.Bytes(), c.bytes) << c.text;
        TReader reader(c.bytes);
        EXPECT_EQ(reader.ReadString(), c.text == "\xff" ? "\xef\xbf\xbd" : c.text);
        EXPECT_TRUE(reader.AtEnd());
    }
}

TEST(Content, RoundTripKeepsEveryRecordInOrder) {
    TOptions store;
    store.Items().Add(MakeOption("ChartTimer", "Value", "60000", "120000", otInteger));
    store.Items().Add(MakeOption("Пульс", "Раздел", "", "текст €", otString));
    store.Items().Add(MakeOption(std::string(300, 'L'), "", "x", "", otShortCut));
    for (uint8_t t = otString; t <= otShortCut; ++t)
        store.Items().Add(MakeOption("T" + std::to_string(t), "S", "d", "v", static_cast<TOptionType>(t)));
    TOptions copy;
    ReadContentProperty(copy, WriteContentProperty(store));
    EXPECT_EQ(Records(copy), Records(store));
}

struct ReadCase {
    const char* name;
    std::string items;
    std::vector<Record> expected;
};

class ContentReads : public testing::TestWithParam<ReadCase> {};

TEST_P(ContentReads, ReplaceTheListWithoutEvents) {
    TempDir dir;
    TOptions store;
    store.SetFileName(dir.file("Options.ini"));
    store.SetPlace(poIniFile);
    store.SetAutoSave(true);
    int events = 0;
    store.OnOptionChange = store.OnOptionLoad = [&](TOptions*, TOption*) { ++events; };
    store.OnLoaded = [&](TOptions*) { ++events; };
    store.Items().Add(MakeOption("Old", "Value", "", "", otString));

    ReadContentProperty(store, Property(GetParam().items));
    EXPECT_EQ(Records(store), GetParam().expected);
    EXPECT_EQ(events, 0);
    EXPECT_FALSE(std::filesystem::exists(dir.file("Options.ini")));
    // The read options are bound to the store like added ones.
    if (store.Items().Count() > 0) {
        store.Items().GetItem(0)->SetValueAsString("changed");
        EXPECT_EQ(events, 1);
        EXPECT_TRUE(std::filesystem::exists(dir.file("Options.ini")));
    }
}

const std::string kRecord = Short("ChartTimer") + Short("Value") + Short("60000") + kEmpty + Short("Integer");
const Record kChartTimer{"ChartTimer", "Value", "60000", "", otInteger};

INSTANTIATE_TEST_SUITE_P(
    All, ContentReads,
    testing::Values(ReadCase{"Version13", Short("TOptionList v.1.3") + kRecord, {kChartTimer}},
                    ReadCase{"Version11", Short("TOptionList v.1.1") + kRecord, {kChartTimer}},
                    ReadCase{"Version12", Short("TOptionList v.1.2") + kRecord, {kChartTimer}},
                    ReadCase{"Headerless",
                             Short("AutoHide") + Short("Tasks") + Short("true") + kEmpty,
                             {{"AutoHide", "Tasks", "true", "", otString}}},
                    ReadCase{"HeaderlessTwoRecords",
                             Short("A") + Short("S") + Short("1") + Short("x") + Short("B") + Short("T") +
                                 Short("2") + kEmpty,
                             {{"A", "S", "1", "x", otString}, {"B", "T", "2", "", otString}}},
                    ReadCase{"PartialRecordDropped",
                             Short("TOptionList v.1.3") + kRecord + Short("FloatWindow") + Short("Value"),
                             {kChartTimer}},
                    ReadCase{"HeaderNamesAreExact",
                             Short("toptionlist v.1.3") + Short("S") + Short("d") + Short("v"),
                             {{"toptionlist v.1.3", "S", "d", "v", otString}}},
                    ReadCase{"TypeNamesInAnyCase",
                             Short("TOptionList v.1.3") + Short("K") + Short("S") + Short("") + Short("x") +
                                 Short("SHORTCUT"),
                             {{"K", "S", "", "x", otShortCut}}},
                    // Every text form is accepted for every item; single bytes are Windows-1251.
                    ReadCase{"AnyTextForm",
                             Tagged('\x0c', 17, "TOptionList v.1.3") + Tagged('\x14', 2, "\xd0\x9f") +
                                 Tagged('\x12', 1, "S\x00"s) + Short("\xcf") + kEmpty +
                                 Tagged('\x0c', 7, "Boolean"),
                             {{"\xd0\x9f", "S", "\xd0\x9f", "", otBoolean}}},
                    ReadCase{"OnlyHeader", Short("TOptionList v.1.3"), {}}, ReadCase{"EmptyList", "", {}}),
    [](const auto& info) { return info.param.name; });

TEST(Content, BrokenStreamsRaiseAndLeaveTheListAlone) {
    const std::string good = Property(Short("TOptionList v.1.3") + kRecord + kRecord);
    auto expectFailure = [](const std::string& bytes, const std::string& fragment) {
        TOptions store;
        store.Items().Add(MakeOption("Kept", "S", "", "", otString));
        try {
            ReadContentProperty(store, bytes);
            ADD_FAILURE() << "no error";
        } catch (const EReadError& error) {
            EXPECT_NE(std::string(error.what()).find(fragment), std::string::npos) << error.what();
        }
        ASSERT_EQ(store.Items().Count(), 1);
        EXPECT_EQ(store.Items().GetItem(0)->Ident(), "Kept");
    };
    for (size_t length = 0; length < good.size(); ++length) expectFailure(good.substr(0, length), "");
    expectFailure(Property(Short("TOptionList v.1.3") + Short("A") + "\x02\x05"s), "is not a text");
    expectFailure(Property("\x03\x01\x00"s), "is not a text");
    expectFailure("\x07"s + "Content" + Tagged('\x12', 0x7FFFFFFF, "ab"), "no list");
    expectFailure("\x07"s + "Content\x01" + Tagged('\x12', 0x7FFFFFFF, "ab"), "ends");
    expectFailure("\x07"s + "Content\x01" + Tagged('\x0c', 0xFFFFFFFF, "ab"), "ends");
    expectFailure("\x05"s + "Items\x01\x00"s, "property Items does not exist");
}

} // namespace
