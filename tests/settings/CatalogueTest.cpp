#include "settings/Catalogue.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

using namespace std::string_literals;

// The program's settings as the user knows them: ident, section, default text, type name,
// and what the default reads as.
struct Row {
    const char* ident;
    const char* section;
    const char* defaultText;
    const char* typeName;
    TVariant defaultValue;
};

const Row kRows[] = {
    {"ChartTimer", "Value", "60000", "Integer", TVariant(60000)},
    {"FloatWindow", "Value", "Tasks", "string", TVariant("Tasks")},
    {"FormHeight", "Value", "220", "Integer", TVariant(220)},
    {"AutoHide", "Tasks", "true", "Boolean", TVariant(true)},
    {"SortType", "Tasks", "ActiveUp", "string", TVariant("ActiveUp")},
    {"TaskOperation", "Tasks", "AutoHide", "string", TVariant("AutoHide")},
    {"FloatHide", "Tasks", "True", "Boolean", TVariant(true)},
    {"FloatTimer", "Tasks", "3000", "Integer", TVariant(3000)},
    {"RemoveTaskCompleted", "Tasks", "False", "Boolean", TVariant(false)},
    {"rtc_Event", "Tasks", "close", "string", TVariant("close")},
    {"rtc_TimePeriod", "Tasks", "day", "string", TVariant("day")},
    {"rtc_TimeCount", "Tasks", "1", "Integer", TVariant(1)},
    {"AlphaBlend", "Effects", "true", "Boolean", TVariant(true)},
    {"AlphaBlendInc", "Effects", "50", "Integer", TVariant(50)},
    {"HK_Show_Hide", "HotKeys", "Ctrl+Alt+Z", "ShortCut", TVariant(0xC05A)},
    {"HK_AddTask", "HotKeys", "Ctrl+Alt+C", "ShortCut", TVariant(0xC043)},
    {"HK_Exit", "HotKeys", "Ctrl+Alt+E", "ShortCut", TVariant(0xC045)},
    {"Autorun", "Value", "False", "Boolean", TVariant(false)},
};

// Reads one 0x06 item, the form of every non-empty catalogue text.
std::string ShortItem(std::string_view bytes, size_t& at) {
    EXPECT_LT(at + 1, bytes.size());
    EXPECT_EQ(bytes[at], '\x06') << "at byte " << at;
    const size_t length = static_cast<unsigned char>(bytes[at + 1]);
    std::string text(bytes.substr(at + 2, length));
    at += 2 + length;
    return text;
}

TEST(Catalogue, StoredFormHoldsEveryRowInOrder) {
    const std::string bytes = CatalogueContent();
    ASSERT_TRUE(bytes.starts_with("\x07"s + "Content" + "\x01"));
    size_t at = 9;
    EXPECT_EQ(ShortItem(bytes, at), "TOptionList v.1.3");
    for (const Row& row : kRows) {
        SCOPED_TRACE(row.ident);
        EXPECT_EQ(ShortItem(bytes, at), row.ident);
        EXPECT_EQ(ShortItem(bytes, at), row.section);
        EXPECT_EQ(ShortItem(bytes, at), row.defaultText);
        EXPECT_EQ(bytes.substr(at, 5), "\x12\x00\x00\x00\x00"s) << "the current text is empty";
        at += 5;
        EXPECT_EQ(ShortItem(bytes, at), row.typeName);
    }
    EXPECT_EQ(bytes.substr(at), "\x00"s);
}

TEST(Catalogue, ReadsIntoTheStoreWithItsStoredProperties) {
    TOptions store;
    ReadCatalogue(store);
    EXPECT_EQ(store.Reg().RootKey(), "HKEY_CURRENT_USER");
    EXPECT_EQ(store.Reg().Key(), "SOFTWARE\\version 2");
    EXPECT_EQ(store.Place(), poIniFile);
    EXPECT_TRUE(store.AutoSave());
    ASSERT_EQ(store.Items().Count(), 18);
    for (int32_t position = 0; position < 18; ++position) {
        const Row& row = kRows[position];
        SCOPED_TRACE(row.ident);
        TOption* option = store.Items().Find(row.ident, "%All%", 0);
        ASSERT_EQ(option, store.Items().GetItem(position));
        EXPECT_EQ(option->Section(), row.section);
        EXPECT_EQ(option->DefaultValue(), row.defaultText);
        EXPECT_EQ(OptionTypeName(option->OptionVarType()), row.typeName);
        EXPECT_EQ(option->ValueAsString(), "");
    }
    EXPECT_EQ(store.Items().Find("Autorun", "Value", 0), store.Items().GetItem(17));
}

class Program : public testing::Test {
protected:
    Program() {
        ReadCatalogue(store);
        store.SetFileName(path);
        store.OnOptionLoad = [this](TOptions*, TOption* o) { loaded.push_back(o->Ident()); };
        store.OnLoaded = [this](TOptions*) { loaded.push_back("OnLoaded"); };
    }
    TOption& Option(const char* ident) { return *store.Items().Find(ident, "%All%", 0); }

    TempDir dir;
    std::string path = dir.file("Options.ini");
    TOptions store;
    std::vector<std::string> loaded;
};

TEST_F(Program, FirstStartAppliesEveryDefaultAndWritesNothing) {
    store.LoadAllOptions();
    ASSERT_EQ(loaded.size(), 19u);
    for (size_t i = 0; i < 18; ++i) {
        EXPECT_EQ(loaded[i], kRows[i].ident);
        EXPECT_EQ(Option(kRows[i].ident).Value(), kRows[i].defaultValue) << kRows[i].ident;
    }
    EXPECT_EQ(loaded.back(), "OnLoaded");
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(Program, FinalSaveWritesAllKeysInFourSections) {
    TempDir::Write(path, "[Tasks]\nSortType=AlphaDown\nNotOurs=1\n[Plugin]\nx=y\n");
    store.LoadAllOptions();
    EXPECT_EQ(Option("SortType").Value(), TVariant("AlphaDown"));
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "true");
    Option("FormHeight").SetValue(TVariant(300));
    store.SaveAllOptions();
    EXPECT_EQ(TempDir::Read(path),
              "[Tasks]\nSortType=AlphaDown\nNotOurs=1\nAutoHide=true\nTaskOperation=AutoHide\n"
              "FloatHide=True\nFloatTimer=3000\nRemoveTaskCompleted=False\nrtc_Event=close\n"
              "rtc_TimePeriod=day\nrtc_TimeCount=1\n[Plugin]\nx=y\n"
              "[Value]\nFormHeight=300\nChartTimer=60000\nFloatWindow=Tasks\nAutorun=False\n"
              "[Effects]\nAlphaBlend=true\nAlphaBlendInc=50\n"
              "[HotKeys]\nHK_Show_Hide=Ctrl+Alt+Z\nHK_AddTask=Ctrl+Alt+C\nHK_Exit=Ctrl+Alt+E\n");
    std::vector<std::string> keys;
    store.ReadSectionValues("HotKeys", keys);
    EXPECT_EQ(keys, (std::vector<std::string>{"HK_Show_Hide", "HK_AddTask", "HK_Exit"}));
}

TEST_F(Program, OneBadStoredValueLeavesTheRestApplied) {
    TempDir::Write(path, "[Value]\nFormHeight=abc\n[HotKeys]\nHK_Exit=Ctrl+Shift+Q\n");
    std::vector<std::string> applied;
    store.OnOptionLoad = [&](TOptions*, TOption* o) {
        o->Value();
        applied.push_back(o->Ident());
    };
    store.OnLoaded = [&](TOptions*) { applied.push_back("OnLoaded"); };
    try {
        store.LoadAllOptions();
        FAIL();
    } catch (const ELoadOptionsError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value");
    }
    EXPECT_EQ(applied.size(), 18u);
    EXPECT_EQ(applied.back(), "OnLoaded");
    EXPECT_EQ(Option("HK_Exit").ValueAsString(), "Ctrl+Shift+Q");
    EXPECT_EQ(Option("HK_Exit").Value(), TVariant(0)) << "Ctrl before Shift names no combination";
}

} // namespace
