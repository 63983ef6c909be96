#include "options/Options.h"

#include "TempDir.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

struct OptionRow {
    const char* ident;
    const char* section;
    const char* defaultValue;
    TOptionType type;
};

void AddOptions(TOptions& store, std::initializer_list<OptionRow> rows) {
    for (const auto& row : rows) {
        auto option = std::make_unique<TOption>();
        option->SetIdent(row.ident);
        option->SetSection(row.section);
        option->SetDefaultValue(row.defaultValue);
        option->SetOptionVarType(row.type);
        store.Items().Add(std::move(option));
    }
}

class IniStore : public testing::Test {
protected:
    IniStore() {
        path = dir.file("Options.ini");
        store.SetFileName(path);
        store.SetPlace(poIniFile);
        AddOptions(store, {{"ChartTimer", "Value", "60000", otInteger},
                           {"AutoHide", "Tasks", "true", otBoolean},
                           {"HK_Exit", "HotKeys", "Ctrl+Alt+E", otShortCut}});
        store.OnOptionChange = [this](TOptions*, TOption* o) { events.push_back("change " + o->Ident()); };
        store.OnOptionLoad = [this](TOptions*, TOption* o) { events.push_back("load " + o->Ident()); };
        store.OnLoaded = [this](TOptions*) { events.push_back("loaded"); };
    }
    TOption& Option(const char* ident) { return *store.Items().Find(ident, "%All%", 0); }
    std::string File() const { return TempDir::Read(path); }

    TempDir dir;
    std::string path;
    TOptions store;
    std::vector<std::string> events;
};

TEST_F(IniStore, AutoSaveWritesBeforeTheChangeEvent) {
    store.SetAutoSave(true);
    store.OnOptionChange = [this](TOptions*, TOption* o) {
        events.push_back("change " + o->Ident());
        EXPECT_EQ(File(), "[HotKeys]\nHK_Exit=Shift+Ctrl+Q\n");
    };
    Option("HK_Exit").SetValue(TVariant(0x6051));
    EXPECT_EQ(events, std::vector<std::string>{"change HK_Exit"});

    std::filesystem::remove(path);
    Option("HK_Exit").SetValue(TVariant(TextToShortCut("shift+ctrl+q")));
    EXPECT_EQ(events.size(), 1u) << "the same value again changes nothing";
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniStore, WithoutAutoSaveChangesWaitForSave) {
    Option("ChartTimer").SetValue(TVariant(120000));
    EXPECT_EQ(events, std::vector<std::string>{"change ChartTimer"});
    EXPECT_FALSE(std::filesystem::exists(path));
    store.SaveOption(&Option("ChartTimer"));
    EXPECT_EQ(File(), "[Value]\nChartTimer=120000\n");
    store.SaveAllOptions();
    EXPECT_EQ(File(), "[Value]\nChartTimer=120000\n[Tasks]\nAutoHide=\n[HotKeys]\nHK_Exit=\n");
    EXPECT_EQ(events.size(), 1u) << "saving raises no event";
}

TEST_F(IniStore, LoadingAMissingFileGivesTheDefaults) {
    store.SetAutoSave(true);
    store.LoadAllOptions();
    EXPECT_EQ(events,
              (std::vector<std::string>{"load ChartTimer", "load AutoHide", "load HK_Exit", "loaded"}));
    EXPECT_EQ(Option("ChartTimer").ValueAsString(), "60000");
    EXPECT_EQ(Option("AutoHide").Value(), TVariant(true));
    EXPECT_EQ(Option("HK_Exit").Value(), TVariant(0xC045));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniStore, LoadingTakesStoredTextsAndKeepsUnknownKeys) {
    TempDir::Write(path, "[tasks]\nautohide=0\nUnknown=kept\n[Mine]\nx=1");
    store.LoadAllOptions();
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "0");
    EXPECT_EQ(Option("ChartTimer").ValueAsString(), "60000");
    store.SaveAllOptions();
    EXPECT_EQ(File(), "[tasks]\nautohide=0\nUnknown=kept\n[Mine]\nx=1\n[Value]\nChartTimer=60000\n"
                      "[HotKeys]\nHK_Exit=Ctrl+Alt+E\n");
}

TEST_F(IniStore, TheLoadedOptionIsSilentDuringItsOwnLoad) {
    Option("HK_Exit").SetValueAsString("Ctrl+Alt+E");
    events.clear();
    store.SetAutoSave(true);
    store.OnOptionLoad = [this](TOptions*, TOption* o) {
        events.push_back("load " + o->Ident());
        if (o->Ident() == "ChartTimer") {
            o->SetValue(TVariant(1000));             // unsaved, unreported
            Option("HK_Exit").SetValue(TVariant(0)); // saved and reported, then loaded back from the file
        }
    };
    store.LoadAllOptions();
    EXPECT_EQ(events, (std::vector<std::string>{"load ChartTimer", "change HK_Exit", "load AutoHide",
                                                "load HK_Exit", "loaded"}));
    EXPECT_EQ(File(), "[HotKeys]\nHK_Exit=\n");
    EXPECT_EQ(Option("ChartTimer").ValueAsString(), "1000");
    EXPECT_EQ(Option("HK_Exit").ValueAsString(), "");

    Option("ChartTimer").SetValue(TVariant(2000));
    EXPECT_EQ(events.back(), "change ChartTimer") << "the callback is back after the load";
}

TEST_F(IniStore, ALoadErrorStopsNeitherTheOtherOptionsNorOnLoaded) {
    TempDir::Write(path, "[Value]\nChartTimer=abc\n[HotKeys]\nHK_Exit=Ctrl+Alt+X\n");
    std::vector<std::string> applied;
    store.OnOptionLoad = [&](TOptions*, TOption* o) {
        if (o->Ident() == "AutoHide") throw std::runtime_error("handler failed");
        o->Value(); // throws for ChartTimer
        applied.push_back(o->Ident());
    };
    try {
        store.LoadAllOptions();
        FAIL();
    } catch (const ELoadOptionsError& error) {
        EXPECT_STREQ(error.what(), "'abc' is not a valid integer value\nhandler failed");
        ASSERT_EQ(error.Failures().size(), 2u);
        EXPECT_EQ(error.Failures()[0].Ident, "ChartTimer");
        EXPECT_THROW(std::rethrow_exception(error.Failures()[0].Error), EConvertError);
        EXPECT_EQ(error.Failures()[1].Ident, "AutoHide");
    }
    EXPECT_EQ(applied, std::vector<std::string>{"HK_Exit"});
    EXPECT_EQ(Option("HK_Exit").Value(), TVariant(0xC058));
    EXPECT_EQ(events, std::vector<std::string>{"loaded"});
    Option("ChartTimer").SetValue(TVariant(5));
    EXPECT_EQ(events.back(), "change ChartTimer");
}

TEST_F(IniStore, LoadWithoutAPlaceKeepsTheText) {
    store.SetPlace(poNone);
    Option("AutoHide").SetValueAsString("False");
    events.clear();
    store.LoadOption(&Option("AutoHide"));
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "False");
    EXPECT_EQ(events, std::vector<std::string>{"load AutoHide"});
    std::vector<std::string> strings{"untouched"};
    EXPECT_TRUE(store.ReadSections(strings));
    EXPECT_TRUE(store.ReadSectionValues("Tasks", strings));
    EXPECT_EQ(strings, std::vector<std::string>{"untouched"});
    EXPECT_EQ(store.Read("Tasks", "AutoHide", "def"), "");
    EXPECT_FALSE(store.Write("Tasks", "AutoHide", "1"));
    EXPECT_FALSE(std::filesystem::exists(path));
}

TEST_F(IniStore, DirectAccessAndListings) {
    EXPECT_EQ(store.Read("Tasks", "SortType", "ActiveUp"), "ActiveUp");
    EXPECT_TRUE(store.Write("Tasks", "SortType", "AlphaUp"));
    EXPECT_TRUE(store.Write("Value", "FormHeight", "300"));
    EXPECT_TRUE(store.Write("Tasks", "AutoHide", "-1"));
    EXPECT_EQ(store.Read("TASKS", "sorttype", ""), "AlphaUp");
    std::vector<std::string> strings{"stale"};
    store.ReadSections(strings);
    EXPECT_EQ(strings, (std::vector<std::string>{"Tasks", "Value"}));
    store.ReadSectionValues("Tasks", strings);
    EXPECT_EQ(strings, (std::vector<std::string>{"SortType", "AutoHide"}));
}

TEST_F(IniStore, AnUnwritableFileReachesWhoeverChangedTheOption) {
    std::filesystem::create_directory(path); // cannot be replaced by a file
    store.SetAutoSave(true);
    try {
        Option("AutoHide").SetValue(TVariant(false));
        FAIL();
    } catch (const EIniFileException& error) {
        EXPECT_EQ(std::string(error.what()), "Unable to write to " + path);
    }
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "0") << "the new text stays in memory";
}

TEST_F(IniStore, AnyFileContentLoads) {
    std::string bytes;
    for (int i = 0; i < 256; ++i) bytes += static_cast<char>(i);
    bytes += "\n" + std::string(100000, '=') + "\n[Tasks]\n[Tasks]\nAutoHide=0\nAutoHide=1\n" +
             std::string(100000, '[') + "\nno equals\n[HotKeys]\nHK_Exit=" + std::string(100000, 'Z');
    TempDir::Write(path, bytes);
    store.LoadAllOptions();
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "true"); // only in a repeated section: ignored
    EXPECT_EQ(Option("HK_Exit").ValueAsString(), std::string(kMaxIniValueLength, 'Z'));
    EXPECT_EQ(Option("HK_Exit").Value(), TVariant(0));
    store.SaveOption(&Option("ChartTimer"));
    EXPECT_TRUE(File().starts_with(bytes.substr(0, bytes.size() - 100000))) << "everything else survives";
}

// The file name rules, seen from the current directory <tmp>/Work/App.
class FileNames : public testing::Test {
protected:
    FileNames() : previous(std::filesystem::current_path()) {
        std::filesystem::create_directories(dir.path() / "Work" / "App");
        std::filesystem::create_directories(dir.path() / "Elsewhere");
        std::filesystem::current_path(dir.path() / "Work" / "App");
        work = dir.file("Work") + "/";
    }
    ~FileNames() override { std::filesystem::current_path(previous); }

    TempDir dir;
    std::filesystem::path previous;
    std::string work;
};

TEST_F(FileNames, MapOntoTheParentOfTheCurrentDirectory) {
    struct Case {
        std::string given;
        std::string expected;
    } cases[] = {
        {"", work + "Options.ini"},
        {"Options.ini", work + "Options.ini"},
        {"X:\\Somewhere\\Options.ini", work + "Options.ini"},
        {"C:Options.ini", work + "Options.ini"},
        {"/no/such/directory/Murvane.ini", work + "Murvane.ini"},
        {"sub/Options.ini", work + "sub/Options.ini"},
        {dir.file("Elsewhere/Options.ini"), dir.file("Elsewhere/Options.ini")},
        {"../App/Options.ini", "../App/Options.ini"},
    };
    for (const auto& c : cases) {
        TOptions store;
        store.SetFileName(c.given);
        EXPECT_EQ(store.FileName(), c.expected) << c.given;
        ASSERT_TRUE(store.IniFile());
        EXPECT_EQ(store.IniFile()->FileName(), c.expected);
    }
    EXPECT_FALSE(std::filesystem::exists(work + "Options.ini")) << "naming the file does not touch it";

    TOptions unnamed;
    unnamed.SetPlace(poIniFile);
    EXPECT_EQ(unnamed.IniFile(), nullptr);
    EXPECT_TRUE(unnamed.Write("S", "k", "v"));
    EXPECT_EQ(unnamed.FileName(), work + "Options.ini");
}

TEST(FileNameAtRoot, TheRootIsItsOwnDirectoryPart) {
    const auto previous = std::filesystem::current_path();
    std::filesystem::current_path("/");
    TOptions store;
    store.SetFileName("");
    std::filesystem::current_path(previous);
    EXPECT_EQ(store.FileName(), "/Options.ini");
}

class RegistryStore : public testing::Test {
protected:
    RegistryStore() {
        store.Reg().SetDirectory(dir.file("registry"));
        store.Reg().SetRootKey("HKEY_CURRENT_USER");
        store.Reg().SetKey("SOFTWARE\\version 2");
        store.SetPlace(poRegistry);
        AddOptions(store,
                   {{"AutoHide", "Tasks", "true", otBoolean}, {"FormHeight", "Value", "220", otInteger}});
    }
    TOption& Option(const char* ident) { return *store.Items().Find(ident, "%All%", 0); }
    TRegStore Root(TRootKey root) { return TRegStore(dir.file("registry"), root); }

    TempDir dir;
    TOptions store;
};

TEST_F(RegistryStore, OptionsAreTextValuesOfTheSectionKey) {
    store.LoadAllOptions();
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "true");
    Option("AutoHide").SetValue(TVariant(false));
    store.SaveAllOptions();
    EXPECT_EQ(Root(TRootKey::CurrentUser).ReadString("SOFTWARE\\version 2\\Tasks", "AutoHide"), "0");
    EXPECT_EQ(Root(TRootKey::CurrentUser).ReadString("software\\VERSION 2\\tasks", "autohide"), "0");

    TOptions other;
    other.Reg().SetDirectory(dir.file("registry"));
    other.Reg().SetRootKey("HKEY_CURRENT_USER");
    other.Reg().SetKey("SOFTWARE\\version 2");
    other.SetPlace(poRegistry);
    EXPECT_EQ(other.Read("Tasks", "AutoHide", "def"), "0");
    EXPECT_EQ(other.Read("Tasks", "Missing", "def"), "def");
    EXPECT_TRUE(other.Write("Extra", "Name", "text"));
    std::vector<std::string> strings;
    other.ReadSections(strings);
    EXPECT_EQ(strings, (std::vector<std::string>{"Tasks", "Value", "Extra"}));
    other.ReadSectionValues("Tasks", strings);
    EXPECT_EQ(strings, std::vector<std::string>{"AutoHide"});
    other.ReadSectionValues("Nothing", strings);
    EXPECT_TRUE(strings.empty());
}

TEST_F(RegistryStore, RootKeyNamesAreExact) {
    const std::pair<const char*, TRootKey> cases[] = {
        {"HKEY_CURRENT_USER", TRootKey::CurrentUser},
        {"HKEY_LOCAL_MACHINE", TRootKey::LocalMachine},
        {"HKEY_USERS", TRootKey::Users},
        {"HKEY_CURRENT_CONFIG", TRootKey::CurrentConfig},
        {"hkey_current_user", TRootKey::ClassesRoot},
        {"", TRootKey::ClassesRoot},
        {"HKEY_CLASSES_ROOT", TRootKey::ClassesRoot},
    };
    int changes = 0;
    store.Reg().OnChange = [&](TReg* Sender) {
        EXPECT_EQ(Sender, &store.Reg());
        ++changes;
    };
    for (const auto& [name, root] : cases) {
        EXPECT_EQ(RootKeyFromName(name), root) << name;
        store.Reg().SetRootKey(name);
        store.Write("Tasks", "Probe", name);
        EXPECT_EQ(Root(root).ReadString("SOFTWARE\\version 2\\Tasks", "Probe"), name);
    }
    store.Reg().SetKey(store.Reg().Key());
    EXPECT_EQ(changes, 8) << "every assignment reports, changed or not";
}

TEST_F(RegistryStore, NonTextValuesAndUnwritableStoresRaise) {
    Root(TRootKey::CurrentUser).WriteInteger("SOFTWARE\\version 2\\Tasks", "AutoHide", 1);
    try {
        store.LoadOption(&Option("AutoHide"));
        FAIL();
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Invalid data type for 'AutoHide'");
    }
    EXPECT_THROW(store.LoadAllOptions(), ELoadOptionsError);
    EXPECT_EQ(Option("FormHeight").ValueAsString(), "220") << "the other option still loads";

    TempDir::Write(dir.file("blocked"), "a file where the directory should be");
    store.Reg().SetDirectory(dir.file("blocked"));
    try {
        store.SaveOption(&Option("FormHeight"));
        FAIL();
    } catch (const ERegistryException& error) {
        EXPECT_STREQ(error.what(), "Failed to set data for 'FormHeight'");
    }
}

TEST(RegStoreFile, KeepsEveryByteOfNamesAndValues) {
    const std::string odd = std::string("tab\tnew\nline%25\r\\end") + "\x01\xff";
    std::vector<TRegStore::Key> keys{
        {"A\\B", {{odd, TRegDataType::String, odd}, {"n", TRegDataType::Integer, "7"}}}, {"C", {}}};
    const auto back = ParseRegStore(SerializeRegStore(keys));
    ASSERT_EQ(back.size(), 2u);
    EXPECT_EQ(back[0].values[0].name, odd);
    EXPECT_EQ(back[0].values[0].data, odd);
    EXPECT_EQ(back[0].values[1].type, TRegDataType::Integer);
    EXPECT_EQ(NormalizeKeyPath("\\A\\\\B\\"), "A\\B");
}

} // namespace
