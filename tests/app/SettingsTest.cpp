#include "ProgramFixture.h"
#include "ReportCatcher.h"
#include "TaskFileFixtures.h"
#include "app/Application.h"
#include "settings/Catalogue.h"

#include <QAction>
#include <QCheckBox>
#include <sstream>

namespace {

class Settings : public ProgramFixture {
protected:
    ReportCatcher catcher;
    QStringList& reports = catcher.shown;
    // The [section] and key lines of the options file, in file order.
    std::vector<std::string> Lines() const {
        std::vector<std::string> out;
        std::string text = TempDir::Read(dir.file("Options.ini")), line;
        std::istringstream in(text);
        while (std::getline(in, line))
            if (!line.empty()) out.push_back(line.back() == '\r' ? line.substr(0, line.size() - 1) : line);
        return out;
    }
};

} // namespace

TEST_F(Settings, FirstStartAppliesTheDefaultsAndTheEndWritesEveryKeyInOrder) {
    Start();
    EXPECT_EQ(TaskList->Sorted(), tstActiveUp);
    EXPECT_TRUE(Form3->N14->isChecked());
    EXPECT_TRUE(Form3->CheckBox1->isChecked());
    EXPECT_EQ(Form3->height(), 220);
    EXPECT_EQ(timers.DelayOf(PulseTimerId), 60000u);
    EXPECT_EQ(hotKeys.Registrations().size(), 3u);
    Stop();

    std::vector<std::string> expected;
    // Sections in the order their first option comes; each key under its section.
    for (const char* s : {"Value", "Tasks", "Effects", "HotKeys"}) {
        expected.push_back("[" + std::string(s) + "]");
        for (const auto& row : Catalogue)
            if (row.Section == s) expected.push_back(std::string(row.Ident) + "=" + std::string(row.Default));
    }
    EXPECT_EQ(Lines(), expected);
    EXPECT_TRUE(reports.isEmpty());
}

TEST_F(Settings, AFileWithOnlyTheSortOrderKeepsEveryOtherDefault) {
    Start({{"Options.ini", "[Tasks]\nSortType=AlphaDown\n[Other]\nx=1\n"},
           {"Tasks.murvane", TaskFileOf({{"%Global%"}, {"b"}, {"a"}, {"c"}})}});
    EXPECT_EQ(TaskList->Sorted(), tstCaptionTaskDown);
    EXPECT_EQ(GridRows(), (std::vector<std::string>{"a", "b", "c"}));
    EXPECT_TRUE(Form3->N13->isChecked());
    Stop();
    const auto lines = Lines();
    EXPECT_NE(std::find(lines.begin(), lines.end(), "SortType=AlphaDown"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "HK_Exit=Ctrl+Alt+E"), lines.end());
    EXPECT_NE(std::find(lines.begin(), lines.end(), "x=1"), lines.end());
    EXPECT_EQ(lines.size(), 18u + 4u + 2u);
}

TEST_F(Settings, ABadValueIsReportedAndTheRestStillLoads) {
    Start({{"Options.ini", "[Value]\nFormHeight=abc\n[Tasks]\nSortType=AlphaUp\n"},
           {"Tasks.murvane", TaskFileOf({{"%Global%"}, {"a"}, {"b"}})}});
    ASSERT_EQ(reports.size(), 1);
    EXPECT_TRUE(reports[0].contains("abc")) << reports[0].toStdString();
    EXPECT_EQ(TaskList->Sorted(), tstCaptionTaskUp);             // a later option still applied
    EXPECT_EQ(GridRows(), (std::vector<std::string>{"b", "a"})); // and the tasks loaded
    EXPECT_EQ(hotKeys.Registrations().size(), 3u);
}

TEST_F(Settings, AnUnknownSortTextChangesNothingButRebuildsTheGrid) {
    Start({{"Tasks.murvane", TaskFileOf({{"%Global%"}, {"b"}, {"a"}})}});
    Option("SortType").SetValueAsString("alphaup");
    EXPECT_EQ(TaskList->Sorted(), tstActiveUp);
    EXPECT_TRUE(Form3->N14->isChecked());
    Option("SortType").SetValueAsString("AlphaUp");
    EXPECT_EQ(GridRows(), (std::vector<std::string>{"b", "a"}));
    EXPECT_TRUE(Form3->N13->isChecked());
}
