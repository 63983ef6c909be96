#include "options/IniFile.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct ReadCase {
    const char* name;
    std::string file;
    const char* section;
    const char* key;
    std::optional<std::string> expected; // none: the default
};

class IniReads : public testing::TestWithParam<ReadCase> {};

TEST_P(IniReads, GiveTheProfileResults) {
    const auto& c = GetParam();
    EXPECT_EQ(TIniDocument::Parse(c.file).ReadValue(c.section, c.key), c.expected);
}

const std::string kLong(100000, 'x');

INSTANTIATE_TEST_SUITE_P(
    All, IniReads,
    testing::Values(
        ReadCase{"Plain", "[Tasks]\nSortType=AlphaDown\n", "Tasks", "SortType", "AlphaDown"},
        ReadCase{"NamesIgnoreCase", "[tASKS]\nsorttype=AlphaDown\n", "Tasks", "SortType", "AlphaDown"},
        ReadCase{"ValueKeepsCase", "[S]\nk=MiXeD\n", "S", "k", "MiXeD"},
        ReadCase{"TextAfterFirstEquals", "[S]\nk=a=b\n", "S", "k", "a=b"},
        ReadCase{"BlanksAroundTrimmed", "  [ S ]  \n  k \t=  v w \t\n", "S", "k", "v w"},
        ReadCase{"EmptyValueIsNotMissing", "[S]\nk=\n", "S", "k", ""},
        ReadCase{"WindowsLineEnds", "[S]\r\nk=v\r\n", "S", "k", "v"},
        ReadCase{"NoFinalNewline", "[S]\nk=v", "S", "k", "v"},
        ReadCase{"CutAfterTheLastCarriageReturn", "[S]\r\nk=v\r", "S", "k", "v"},
        ReadCase{"LineWithoutEquals", "[S]\nk\n", "S", "k", std::nullopt},
        ReadCase{"KeyBeforeAnySection", "k=v\n[S]\n", "S", "k", std::nullopt},
        ReadCase{"KeyInOtherSection", "[T]\nk=v\n[S]\n", "S", "k", std::nullopt},
        ReadCase{"CommentLine", "[S]\n;k=v\n", "S", "k", std::nullopt},
        ReadCase{"FirstDuplicateKeyWins", "[S]\nk=1\nK=2\n", "S", "k", "1"},
        ReadCase{"RepeatedSectionIgnored", "[S]\na=1\n[T]\nk=0\n[s]\nk=2\n", "S", "k", std::nullopt},
        ReadCase{"QuotesAroundValueDropped", "[S]\nk=\"AlphaDown\"\n", "S", "k", "AlphaDown"},
        ReadCase{"SingleQuotesDropped", "[S]\nk='v w'\n", "S", "k", "v w"},
        ReadCase{"UnmatchedQuoteKept", "[S]\nk=\"v'\n", "S", "k", "\"v'"},
        ReadCase{"HeaderWithoutBracket", "[S\nk=v\n", "S", "k", "v"},
        ReadCase{"TextAfterHeader", "[S] trailing\nk=v\n", "S", "k", "v"},
        ReadCase{"BinaryBytes", std::string("\x00\xff\x01\n[S]\n\x00k\nk=\xfe\x00z\n", 17), "S", "k",
                 std::string("\xfe\x00z", 3)},
        ReadCase{"LongValueIsCut", "[S]\nk=" + kLong + "\n", "S", "k", std::string(kMaxIniValueLength, 'x')},
        ReadCase{"LongLineWithoutEquals", "[S]\n" + kLong + "\nk=v", "S", "k", "v"},
        ReadCase{"CutNeverSplitsACharacter", "[S]\nk=" + std::string(2046, 'x') + "\xd0\xb0", "S", "k",
                 std::string(2046, 'x')}),
    [](const auto& info) { return info.param.name; });

struct WriteCase {
    const char* name;
    std::string before;
    const char* section;
    const char* key;
    const char* value;
    std::string after;
};

class IniWrites : public testing::TestWithParam<WriteCase> {};

TEST_P(IniWrites, ChangeOnlyTheirOwnLine) {
    const auto& c = GetParam();
    TIniDocument document = TIniDocument::Parse(c.before);
    ASSERT_TRUE(document.WriteValue(c.section, c.key, c.value));
    EXPECT_EQ(document.Serialize(), c.after);
    EXPECT_EQ(TIniDocument::Parse(c.after).ReadValue(c.section, c.key), c.value);
}

INSTANTIATE_TEST_SUITE_P(
    All, IniWrites,
    testing::Values(
        WriteCase{"NewFile", "", "HotKeys", "HK_Exit", "Ctrl+Alt+E", "[HotKeys]\nHK_Exit=Ctrl+Alt+E\n"},
        WriteCase{"Replace", "[S]\nk=old\nz=1\n", "S", "k", "v", "[S]\nk=v\nz=1\n"},
        WriteCase{"ReplaceKeepsSpelling", "[S]\n  Key = old\n", "s", "KEY", "v", "[S]\nKey=v\n"},
        WriteCase{"AddAfterLastLineOfSection", "[S]\na=1\n\n[T]\nb=2\n", "S", "k", "v",
                  "[S]\na=1\nk=v\n\n[T]\nb=2\n"},
        WriteCase{"FollowsWindowsLineEnds", "[S]\r\na=1\r\n", "S", "k", "v", "[S]\r\na=1\r\nk=v\r\n"},
        WriteCase{"NoFinalNewline", "[S]\na=1", "S", "k", "v", "[S]\na=1\nk=v\n"},
        WriteCase{"NewSectionAtEnd", "junk\n[T]\nx=1", "S", "k", "v", "junk\n[T]\nx=1\n[S]\nk=v\n"},
        WriteCase{"KeyInRepeatedSectionIsNotTheKey", "[S]\na=1\n[T]\n[S]\nk=old\n", "S", "k", "v",
                  "[S]\na=1\nk=v\n[T]\n[S]\nk=old\n"},
        WriteCase{"NewKeyInFirstOfDuplicates", "[S]\na=1\n[T]\n[S]\nb=2\n", "S", "k", "v",
                  "[S]\na=1\nk=v\n[T]\n[S]\nb=2\n"},
        WriteCase{"UnknownLinesKept", "[S]\n; note\nno equals\n\x01\xff\n", "S", "k", "v",
                  "[S]\n; note\nno equals\n\x01\xff\nk=v\n"},
        WriteCase{"EmptyValue", "[S]\nk=v\n", "S", "k", "", "[S]\nk=\n"},
        WriteCase{"AfterALoneCarriageReturn", "; note\r", "S", "k", "v", "; note\n[S]\nk=v\n"}),
    [](const auto& info) { return info.param.name; });

TEST(IniFile, RefusesWhatALineCannotHold) {
    struct Case {
        const char* section;
        const char* key;
        const char* value;
    } cases[] = {{"S", "k", "two\nlines"}, {"S", "k", "cr\r"}, {"S", "a=b", "v"},
                 {"S", "", "v"},           {"S", " k", "v"},   {"S", "[k", "v"},
                 {"S", ";k", "v"},         {"S]", "k", "v"},   {"S\n", "k", "v"}};
    for (const auto& c : cases) {
        TIniDocument document = TIniDocument::Parse("[S]\nk=1\n");
        EXPECT_FALSE(document.WriteValue(c.section, c.key, c.value)) << c.section << "/" << c.key;
        EXPECT_EQ(document.Serialize(), "[S]\nk=1\n");
    }
}

TEST(IniFile, ListsSectionsOnceAndTheKeysOfTheFirstOccurrence) {
    const auto document = TIniDocument::Parse("[Value]\nA=1\n[Tasks]\nB=1\nno\n;C=1\n[value]\na=2\nD=3\n");
    EXPECT_EQ(document.SectionNames(), (std::vector<std::string>{"Value", "Tasks"}));
    EXPECT_EQ(document.KeyNames("VALUE"), std::vector<std::string>{"A"}); // a repeated section is ignored
    EXPECT_EQ(document.KeyNames("Tasks"), std::vector<std::string>{"B"});
    EXPECT_TRUE(document.KeyNames("Missing").empty());
}

TEST(IniFile, ALoadBatchSeesTheFileAsItIsWhenItStarts) {
    TempDir dir;
    const std::string path = dir.file("Options.ini");
    TIniFile ini(path);
    TempDir::Write(path, "[S]\nk=1\n");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "1");
    TempDir::Write(path, "[S]\nk=2\n"); // changed by hand between two loads
    ini.BeginBatch();
    EXPECT_EQ(ini.ReadString("S", "k", ""), "2");
    ini.WriteString("S", "k", "3");
    EXPECT_EQ(ini.ReadString("S", "k", ""), "3"); // the batch sees its own writes
    ini.EndBatch();
}

TEST(IniFile, OnDiskCreatesTheFileAndKeepsEverythingElse) {
    TempDir dir;
    const std::string path = dir.file("Options.ini");
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
    EXPECT_FALSE(std::filesystem::exists(path));

    ini.WriteString("S", "k", "v");
    EXPECT_EQ(TempDir::Read(path), "[S]\nk=v\n");
    TempDir::Write(path, "; hand-made\r\n[Other]\r\nx=1\r\n[S]\r\nk=v\r\n");
    ini.WriteString("S", "k", "w");
    EXPECT_EQ(TempDir::Read(path), "; hand-made\r\n[Other]\r\nx=1\r\n[S]\r\nk=w\r\n");
    EXPECT_EQ(ini.ReadString("other", "X", ""), "1");
}

TEST(IniFile, FailedWritesRaiseAndLoseNothing) {
    TempDir dir;
    // The file name names a directory: it can be neither read nor replaced.
    const std::string path = dir.file("Options.ini");
    std::filesystem::create_directory(path);
    TIniFile ini(path);
    EXPECT_EQ(ini.ReadString("S", "k", "def"), "def");
    try {
        ini.WriteString("S", "k", "v");
        FAIL();
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_TRUE(std::filesystem::is_directory(path));

    TIniFile missing(dir.file("no/such/dir/Options.ini"));
    EXPECT_THROW(missing.WriteString("S", "k", "v"), EIniFileException);

    const std::string good = dir.file("Good.ini");
    TempDir::Write(good, "[S]\nk=1\n");
    EXPECT_THROW(TIniFile(good).WriteString("S", "k", "a\nb=c"), EIniFileException);
    EXPECT_EQ(TempDir::Read(good), "[S]\nk=1\n");
}

TEST(IniFile, BatchReadsTheFileOnceAndSeesItsOwnWrites) {
    TempDir dir;
    const std::string path = dir.file("Options.ini");
    TempDir::Write(path, "[S]\na=1\nb=1\n");
    TIniFile ini(path);
    ini.BeginBatch();
    EXPECT_EQ(ini.ReadString("S", "a", ""), "1");
    ini.WriteString("S", "b", "2");
    EXPECT_EQ(ini.ReadString("S", "b", ""), "2");
    ini.EndBatch();
    // Outside a batch every read sees the file as it is now.
    TempDir::Write(path, "[S]\na=3\n");
    EXPECT_EQ(ini.ReadString("S", "a", ""), "3");
}

} // namespace
