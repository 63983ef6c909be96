#include "ModalAnswer.h"
#include "ProgramFixture.h"
#include "ReportCatcher.h"
#include "TaskFileFixtures.h"
#include "app/Application.h"
#include "dialogs/uOptions.h"
#include "pulse/PulseChart.h"
#include "pulse/PulseTimer.h"

#include <QAction>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSystemTrayIcon>
#include <QTabWidget>
#include <QTest>
#include <filesystem>

using platform::MOD_ALT;
using platform::MOD_CONTROL;

namespace {

class Window : public ProgramFixture {
protected:
    // Presses the combination and lets the queued hot key message arrive.
    bool Press(char key) {
        const bool held = hotKeys.Press(MOD_CONTROL | MOD_ALT, static_cast<unsigned>(key));
        QCoreApplication::processEvents();
        return held;
    }
    bool Exists(const char* name) const { return std::filesystem::exists(dir.file(name)); }
    std::vector<std::pair<bool, int>> HotKeyCalls() const {
        std::vector<std::pair<bool, int>> calls;
        for (const auto& c : hotKeys.Calls()) calls.emplace_back(c.registers, c.id);
        return calls;
    }
    // Lets the timer service fire and the UI thread take the ticks.
    void Advance(uint64_t ms) {
        timers.Advance(ms);
        QCoreApplication::processEvents();
    }
    ReportCatcher catcher;
    QStringList& reports = catcher.shown;
};

} // namespace

TEST_F(Window, CloseEscAndMinimiseOnlyHide) {
    Start();
    for (int way = 0; way < 3; ++way) {
        Form3->show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(Form3->isVisible());
        if (way == 0) Form3->close();
        if (way == 1) QTest::keyClick(Form3, Qt::Key_Escape);
        if (way == 2) Form3->setWindowState(Qt::WindowMinimized);
        QCoreApplication::processEvents();
        EXPECT_FALSE(Form3->isVisible()) << way;
    }
    EXPECT_FALSE(Exists("Tasks.murvane")); // hiding writes nothing
    EXPECT_TRUE(Form3->Timer1->isActive());
}

TEST_F(Window, HotKeysAreRegisteredFromTheSettingsAndToggleTheWindow) {
    Start();
    const auto& reg = hotKeys.Registrations();
    ASSERT_EQ(reg.size(), 3u);
    EXPECT_EQ(reg.at(1).vk, static_cast<unsigned>('Z'));
    EXPECT_EQ(reg.at(2).vk, static_cast<unsigned>('C'));
    EXPECT_EQ(reg.at(3).vk, static_cast<unsigned>('E'));
    EXPECT_EQ(reg.at(1).modifiers, MOD_CONTROL | MOD_ALT);

    ASSERT_TRUE(Press('Z'));
    EXPECT_FALSE(Form3->isVisible());
    ASSERT_TRUE(Press('Z'));
    EXPECT_TRUE(Form3->isVisible());

    // Changing one hot key re-registers only that one; the empty text releases it.
    Option("HK_Exit").SetValueAsString("");
    EXPECT_FALSE(hotKeys.Find(3));
    Option("HK_Exit").SetValueAsString("Shift+Ctrl+Q");
    EXPECT_EQ(hotKeys.Find(3)->vk, static_cast<unsigned>('Q'));
}

TEST_F(Window, HotKeyTwoAddsATaskWhileTheWindowStaysHidden) {
    Start();
    Form3->hide();
    {
        ModalScript script;
        script.Type(QStringLiteral("из трея"));
        Press('C');
        EXPECT_TRUE(script.Done());
    }
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_NE(TaskList->Find(std::string("из трея"), 0), -1);
}

TEST_F(Window, AnErrorInAHotKeyCommandIsReportedAndTheProgramGoesOn) {
    Start({{"Options.ini", "[Value]\nChartTimer=soon\n"}});
    reports.clear();
    Press('C'); // the add command starts the pulse first, whose period does not convert
    EXPECT_EQ(reports.size(), 1);
    EXPECT_TRUE(Form3->Timer1->isActive());
}

TEST_F(Window, QuitSavesEverythingAndReleasesTheHotKeys) {
    Start({{"Options.ini", "[Value]\nChartTimer=1000\n[Mine]\nkeep=me\n"}});
    NewTask("a");
    Form3->resize(430, 400);
    Advance(1000);
    Advance(1000);
    ASSERT_EQ(Form3->Chart1->Data.Series1.Count(), 2u);
    Press('E');
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(std::filesystem::file_size(dir.file("Tasks.murvane")), 2 * 288u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("Chart.p1")), 16u);
    EXPECT_EQ(std::filesystem::file_size(dir.file("Chart.p2")), 16u);
    EXPECT_EQ(Option("FormHeight").ValueAsString(), "400");
    EXPECT_NE(TempDir::Read(dir.file("Options.ini")).find("FormHeight=400"), std::string::npos);
    EXPECT_EQ(PulseTimerId, 0u);
    const auto calls = HotKeyCalls();
    ASSERT_GE(calls.size(), 3u);
    EXPECT_EQ(std::vector(calls.end() - 3, calls.end()),
              (std::vector<std::pair<bool, int>>{{false, 1}, {false, 3}, {false, 2}}));
    Stop(); // the data module saves the options and keeps what it does not know
    EXPECT_NE(TempDir::Read(dir.file("Options.ini")).find("[Mine]\nkeep=me"), std::string::npos);
}

TEST_F(Window, AQuitWhoseSavingFailsKeepsTheProgramRunningAndTriesAgain) {
    Start({{"Tasks.murvane", TaskFileOf({{"%Global%"}, {"keep"}})}});
    const std::string before = TempDir::Read(dir.file("Tasks.murvane"));
    TaskList->setFileName(dir.file("gone/Tasks.murvane"));
    auto seen = std::make_shared<ModalScript::Message>();
    {
        ModalScript script;
        script.AcceptMessage(seen);
        Form3->N5->trigger();
    }
    EXPECT_EQ(seen->text, "Ошибка при сохранении списка задач.");
    EXPECT_TRUE(QuitRequested);
    EXPECT_TRUE(Form3->isVisible()); // still running, tasks in memory
    EXPECT_EQ(TaskList->Count(), 2);

    // A pulse file that cannot be replaced raises an error: the quit stops there too.
    TaskList->setFileName(dir.file("Tasks.murvane"));
    Form3->Chart1->Data.Series1.Add(1);
    Form3->Chart1->Data.Series2.Add(0);
    std::filesystem::create_directory(dir.file("Chart.p1"));
    Form3->close();
    EXPECT_EQ(reports.size(), 1);
    EXPECT_TRUE(Form3->isVisible());
    EXPECT_EQ(TempDir::Read(dir.file("Tasks.murvane")), before);

    std::filesystem::remove(dir.file("Chart.p1"));
    Form3->close(); // the next close request runs the quit again
    EXPECT_FALSE(Form3->isVisible());
    EXPECT_EQ(std::filesystem::file_size(dir.file("Chart.p1")), 8u);
}

TEST_F(Window, ATaskFileThatCouldNotBeReadIsKeptAtQuit) {
    std::filesystem::create_directory(dir.file("Tasks.murvane"));
    Start();
    EXPECT_EQ(reports.size(), 1); // the start-up told the user
    EXPECT_NE(TaskList->Find(std::string("%Global%"), 0), -1);
    Tick(1000); // the clock runs regardless
    EXPECT_EQ(Form3->Label5->text(), "0:00:00");
    {
        ModalScript script;
        script.AcceptMessage();
        Form3->N5->trigger();
    }
    EXPECT_FALSE(Form3->isVisible()); // the program may end; the file stays as it was
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Tasks.murvane")));
}

TEST_F(Window, PulseSamplesOnePointPerPeriodFromOneTimer) {
    Start({{"Options.ini", "[Value]\nChartTimer=1000\n"},
           {"Tasks.murvane", TaskFileOf({{"%Global%"}, {"a"}, {"b"}, {"c"}, {"d", false}, {"e", false}})}});
    EXPECT_EQ(timers.ActiveCount(), 1u);
    Advance(999);
    EXPECT_EQ(Form3->Chart1->Data.Series1.Count(), 0u);
    Advance(1);
    const TPulseData& data = Form3->Chart1->Data;
    ASSERT_EQ(data.Series1.Count(), 1u);
    EXPECT_EQ(data.Series1.Point(0), (TPulsePoint{0, 6}));
    EXPECT_EQ(data.Series2.Point(0), (TPulsePoint{0, 2}));
    EXPECT_EQ(Form3->StatusPanels[1]->text(), "6");
    EXPECT_EQ(Form3->StatusPanels[3]->text(), "4");

    // Restarts from settings, deletions and additions never leave a second timer behind.
    Option("ChartTimer").SetValueAsString("5000");
    EXPECT_EQ(timers.DelayOf(PulseTimerId), 5000u);
    Form3->SpeedButton2Click();
    {
        ModalScript script;
        script.Type(QStringLiteral("x"));
        Form3->SpeedButton1Click(); // %Global% still reads zero: restarts the timer
    }
    EXPECT_EQ(timers.ActiveCount(), 1u);
    Advance(5000);
    EXPECT_EQ(data.Series1.Count(), 2u);
    EXPECT_EQ(data.Series1.Point(1), (TPulsePoint{1, 2}));
}

TEST_F(Window, PulseSurvivesARestart) {
    Start({{"Options.ini", "[Value]\nChartTimer=1000\n"}});
    Advance(3000);
    Press('E');
    ASSERT_EQ(std::filesystem::file_size(dir.file("Chart.p1")), 24u);
    Stop();
    Start();
    EXPECT_EQ(Form3->Chart1->Data.Series1.Count(), 3u);
    Advance(1000);
    EXPECT_EQ(Form3->Chart1->Data.Series1.Point(3).x, 3);
}

TEST_F(Window, AnotherWindowOfTheProgramTakingTheFocusHidesTheMainWindow) {
    Start();
    Form3->activateWindow();
    QCoreApplication::processEvents();
    Form1->show();
    Form1->activateWindow();
    QCoreApplication::processEvents();
    EXPECT_FALSE(Form3->isVisible());
    Form1->hide();
}

TEST_F(Window, MenusHoldTheirItemsInOrder) {
    Start();
    auto texts = [](const QWidget* menu) {
        QStringList out;
        for (const QAction* a : menu->actions()) out << a->text();
        return out;
    };
    EXPECT_EQ(texts(Form3->PopupMenu1),
              (QStringList{"Показать/скрыть окно программы", "Добавить задание", "Выход из программы"}));
    EXPECT_EQ(Form3->PopupMenu1->defaultAction(), Form3->N4);
    EXPECT_TRUE(Form3->N4->font().bold());
    EXPECT_EQ(texts(Form3->PopupMenu2),
              (QStringList{"Показать скрытые", "Отметить как \"Выполненное\"", "Снять отметку о выполнении",
                           "Добавить задание", "Удалить задание", "Сортировать список"}));
    EXPECT_EQ(texts(Form3->N12), (QStringList{"по выполнению", "по алфавиту"}));
    EXPECT_EQ(texts(Form3->MainMenu1), (QStringList{"Настройка", "Помощь"}));
    EXPECT_EQ(texts(Form3->N2), (QStringList{"Проверка обновлений", "О програме"}));
    EXPECT_EQ(Form3->TrayIcon1->toolTip(), QApplication::applicationDisplayName());
}

TEST_F(Window, TheButtonStripShowsOnlyWithTheTaskPage) {
    Start();
    EXPECT_TRUE(Form3->Panel4->isVisible());
    Form3->PageControl1->setCurrentWidget(Form3->TabSheet2);
    EXPECT_FALSE(Form3->Panel4->isVisible());
    Form3->PageControl1->setCurrentWidget(Form3->TabSheet1);
    EXPECT_TRUE(Form3->Panel4->isVisible());
}
