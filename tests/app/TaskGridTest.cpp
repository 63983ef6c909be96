#include "ModalAnswer.h"
#include "ProgramFixture.h"
#include "TaskFileFixtures.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QTest>
#include <QToolButton>
#include <filesystem>

using Rows = std::vector<std::string>;

namespace {

class TaskGrid : public ProgramFixture {
protected:
    void Add(const QString& text) {
        ModalScript script;
        script.Type(text);
        Form3->SpeedButton1Click();
    }
    QString Panel(int i) const { return Form3->StatusPanels[i]->text(); }
    void ClickBox(int row) {
        TStringGridCheck* g = Form3->TaskGrid;
        g->SyncView();
        const QRect cell = g->CellRect(0, row);
        QTest::mouseClick(g->viewport(), Qt::LeftButton, {}, g->viewport()->mapFrom(g, cell.center()));
    }
};

} // namespace

TEST_F(TaskGrid, FirstStartShowsOneBlankRowAndZeroCounts) {
    Start();
    EXPECT_EQ(Form3->TaskGrid->RowCount(), 2);
    EXPECT_EQ(Form3->TaskGrid->CheckCollIndex(), -1);
    EXPECT_EQ(GridRows(), Rows{""});
    EXPECT_EQ(Form3->TaskGrid->Cells(1, 0), "Задание");
    EXPECT_EQ(Form3->TaskGrid->Cells(2, 0), "Время");
    EXPECT_EQ(Panel(1), "0");
    EXPECT_EQ(Panel(3), "0");
    EXPECT_EQ(Form3->Label5->text(), "0:00:00");
    ASSERT_EQ(TaskList->Count(), 1);
    EXPECT_EQ(TaskList->Items(0)->Text(), "%Global%");
}

TEST_F(TaskGrid, ShowsTasksInSortOrderAndHidesCompletedOnRequest) {
    Start({{"Tasks.murvane", TaskFileOf({{"%Global%"}, {"b", false, 1 + 2.0 / 24}, {"a"}, {"c", false}})},
           {"Options.ini", "[Tasks]\nSortType=AlphaDown\n"}});
    EXPECT_EQ(GridRows(), (Rows{"a", "[x] b", "[x] c"}));
    EXPECT_EQ(Form3->TaskGrid->Cells(2, 2), "1 день 2:00:00");
    EXPECT_EQ(Panel(1), "3");
    EXPECT_EQ(Panel(3), "1");
    EXPECT_TRUE(Form3->N13->isChecked());

    Form3->CheckBox1->click(); // the user hides completed tasks
    EXPECT_EQ(GridRows(), Rows{"a"});
    EXPECT_EQ(Option("AutoHide").ValueAsString(), "0");
    EXPECT_FALSE(Form3->N11->isChecked());
    EXPECT_EQ(Panel(1), "3"); // hidden tasks still count

    Form3->N11->trigger(); // and shows them again from the menu
    EXPECT_EQ(GridRows(), (Rows{"a", "[x] b", "[x] c"}));
    EXPECT_TRUE(Form3->CheckBox1->isChecked());
}

TEST_F(TaskGrid, AddRefusesDuplicatesAndRetriesWithTheDefaultText) {
    Start();
    auto first = std::make_shared<ModalScript::Input>();
    auto again = std::make_shared<ModalScript::Input>();
    auto refusal = std::make_shared<ModalScript::Message>();
    {
        ModalScript script;
        script.Type(QStringLiteral("Новое"), first);
        Form3->SpeedButton1Click();
    }
    EXPECT_EQ(first->caption, "Новое задание");
    EXPECT_EQ(first->label, "Текст задания");
    EXPECT_EQ(first->initial, "Новое");
    {
        // The second "Новое" is refused; the dialog comes back with "Новое" and is cancelled.
        ModalScript script;
        script.Type(QStringLiteral("Новое")).AcceptMessage(refusal).Type(std::nullopt, again);
        Form3->SpeedButton1Click();
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(refusal->caption, "Повторяться не стоит");
    EXPECT_EQ(refusal->text, "Такое задание уже есть в списке...Точно тебе говорю");
    EXPECT_EQ(refusal->icon, QMessageBox::Critical);
    EXPECT_EQ(again->initial, "Новое");
    EXPECT_EQ(GridRows(), Rows{"Новое"});
    {
        ModalScript script;
        script.Type(QStringLiteral("%Global%")).AcceptMessage().Type(std::nullopt);
        Form3->SpeedButton1Click();
        EXPECT_TRUE(script.Done());
    }
    EXPECT_EQ(TaskList->Count(), 2);

    Add(QString());           // an empty text adds nothing
    Add(QStringLiteral(" ")); // blanks are a text
    Add(QStringLiteral("новое"));
    EXPECT_EQ(TaskList->Count(), 4);
    EXPECT_EQ(Panel(1), "3");
}

TEST_F(TaskGrid, TextsOutsideTheCodePageAndOverlongTextsStillWork) {
    Start();
    Add(QString::fromUtf8("日本 план"));
    {
        ModalScript script; // the same stored text: refused, then cancelled
        script.Type(QString::fromUtf8("日本 план")).AcceptMessage().Type(std::nullopt);
        Form3->SpeedButton1Click();
    }
    EXPECT_EQ(GridRows(), Rows{"?? план"});
    NewTask(std::string(300, 'x'));
    FillTaskGrid(Form3->TaskGrid);
    EXPECT_EQ(TaskList->Items(TaskList->Find(std::string(252, 'x') + "...", 0))->cTask().len, 255);

    ClickBox(1); // the "?? план" row (ActiveUp: open tasks in added order)
    EXPECT_FALSE(TaskList->Items(TaskList->Find(std::string("?? план"), 0))->Activ());
    Form3->TaskGrid->setRow(1);
    Form3->N8Click();
    EXPECT_EQ(TaskList->Find(std::string("?? план"), 0), -1);
}

TEST_F(TaskGrid, TickAndUntickResortAtOnce) {
    Start({{"Options.ini", "[Tasks]\nSortType=ActiveDown\nAutoHide=0\n"}});
    for (auto t : {"one", "two", "three"}) NewTask(t);
    FillTaskGrid(Form3->TaskGrid);
    ClickBox(1);
    EXPECT_EQ(GridRows(), (Rows{"two", "three"})); // hidden once completed
    EXPECT_EQ(Panel(3), "2");
    Form3->CheckBox1->click();
    EXPECT_EQ(GridRows(), (Rows{"two", "three", "[x] one"}));
    Form3->TaskGrid->setRow(3);
    Form3->N10Click();
    EXPECT_EQ(GridRows(), (Rows{"two", "three", "one"}));
    Form3->TaskGrid->setRow(2);
    Form3->N9Click();
    EXPECT_EQ(GridRows(), (Rows{"two", "one", "[x] three"}));
}

TEST_F(TaskGrid, DeletingDownToGlobalEmptiesTheFileAndRestartsTheClock) {
    Start({{"Tasks.murvane", TaskFileOf({{"%Global%", true, 0.5}, {"only", true, 0.25}})}});
    Tick(250);
    EXPECT_EQ(Form3->Label5->text(), "12:00:00");
    Form3->TaskGrid->setRow(1);
    Form3->N8Click();
    EXPECT_EQ(std::filesystem::file_size(dir.file("Tasks.murvane")), 0u);
    ASSERT_EQ(TaskList->Count(), 1);
    EXPECT_TRUE(GlobalTimeIsZero());
    Tick(250);
    EXPECT_EQ(Form3->Label5->text(), "0:00:00");

    // With only %Global% left, deleting "nothing" still empties the file and renews it.
    TempDir::Write(dir.file("Tasks.murvane"), "junk");
    Form3->N8Click();
    EXPECT_EQ(std::filesystem::file_size(dir.file("Tasks.murvane")), 0u);
    EXPECT_EQ(TaskList->Count(), 1);
}

TEST_F(TaskGrid, DeleteAllWritesAnEmptyFileAndAFreshGlobal) {
    Start({{"Tasks.murvane", TaskFileOf({{"%Global%", true, 2}, {"a"}, {"b"}})}});
    Form3->SpeedButton2->click();
    EXPECT_EQ(std::filesystem::file_size(dir.file("Tasks.murvane")), 0u);
    ASSERT_EQ(TaskList->Count(), 1);
    EXPECT_TRUE(GlobalTimeIsZero());
    EXPECT_EQ(GridRows(), Rows{""});
}

TEST_F(TaskGrid, SortCommandsToggleTheirDirection) {
    Start();
    for (auto t : {"b", "a", "c"}) NewTask(t);
    const char* expected[] = {"AlphaUp", "AlphaDown", "AlphaUp"};
    for (const char* e : expected) {
        Form3->N13->trigger();
        EXPECT_EQ(Option("SortType").ValueAsString(), e);
    }
    EXPECT_EQ(GridRows(), (Rows{"c", "b", "a"}));
    EXPECT_TRUE(Form3->N13->isChecked());
    EXPECT_FALSE(Form3->N14->isChecked());

    // Header cells: (0, 0) sorts by completion, (1, 0) by text, (2, 0) does nothing.
    TStringGridCheck* g = Form3->TaskGrid;
    g->SyncView();
    auto clickHeader = [&](int col) {
        const QRect cell = g->CellRect(col, 0);
        Form3->TaskGridMouseUp(Qt::LeftButton, cell.center().x(), cell.center().y());
    };
    clickHeader(2);
    EXPECT_EQ(Option("SortType").ValueAsString(), "AlphaUp");
    clickHeader(0);
    EXPECT_EQ(Option("SortType").ValueAsString(), "ActiveUp");
    EXPECT_TRUE(Form3->N14->isChecked());
    clickHeader(0);
    EXPECT_EQ(Option("SortType").ValueAsString(), "ActiveDown");
    clickHeader(1);
    EXPECT_EQ(Option("SortType").ValueAsString(), "AlphaUp");
}

TEST_F(TaskGrid, ClocksAdvanceByTheMeasuredTicks) {
    Start();
    NewTask("a");
    NewTask("b");
    FillTaskGrid(Form3->TaskGrid);
    Tick(90000);
    EXPECT_EQ(Form3->TaskGrid->Cells(2, 1), "0:01:30");
    EXPECT_EQ(Form3->TaskGrid->Cells(2, 2), "0:01:30");
    EXPECT_EQ(Form3->Label5->text(), "0:01:30"); // once, not once per open task

    CompleteTask("a");
    CompleteTask("b");
    FillTaskGrid(Form3->TaskGrid);
    Tick(5000); // a late tick: all of it counts, but nothing is open now
    EXPECT_EQ(Form3->Label5->text(), "0:01:30");
    ReopenTask("a");
    FillTaskGrid(Form3->TaskGrid);
    LastTickCount = gFakeTicks = 0xFFFFFF00u; // just before the counter wraps
    Tick(0x100 + 1000);                       // across the wrap: one second
    EXPECT_EQ(Form3->TaskGrid->Cells(2, 2), "0:01:31");
}

TEST_F(TaskGrid, AMissingGlobalNeverStopsTheTaskClocks) {
    Start();
    NewTask("a");
    TaskList->Remove(TaskList->Find(std::string("%Global%"), 0));
    FillTaskGrid(Form3->TaskGrid);
    Tick(2000);
    Tick(2000);
    EXPECT_EQ(Form3->TaskGrid->Cells(2, 1), "0:00:04");
    EXPECT_EQ(QApplication::activeModalWidget(), nullptr);
}

TEST_F(TaskGrid, ASettingThatDoesNotConvertNeverLeavesTheGridFilling) {
    Start();
    NewTask("a");
    EXPECT_ANY_THROW(Option("AutoHide").SetValueAsString("maybe"));
    EXPECT_FALSE(GridFilling);
    Option("AutoHide").SetValueAsString("-1");
    FillTaskGrid(Form3->TaskGrid);
    ClickBox(1); // the user's tick still counts
    EXPECT_FALSE(TaskList->Items(TaskList->Find(std::string("a"), 0))->Activ());
}

TEST_F(TaskGrid, ApplyingAnOptionWritesNoOtherOptionAndNoFile) {
    Start();
    const auto before = std::filesystem::exists(dir.file("Options.ini"));
    std::map<std::string, std::string> texts;
    for (int i = 0; i < MurvaneData->Options1->Items().Count(); ++i)
        texts[MurvaneData->Options1->Items().GetItem(i)->Ident()] =
            MurvaneData->Options1->Items().GetItem(i)->ValueAsString();
    for (const char* ident : {"AutoHide", "SortType", "FormHeight", "ChartTimer", "HK_Exit"})
        MurvaneData->Options1OptionChange(MurvaneData->Options1, &Option(ident));
    for (int i = 0; i < MurvaneData->Options1->Items().Count(); ++i) {
        TOption* o = MurvaneData->Options1->Items().GetItem(i);
        EXPECT_EQ(o->ValueAsString(), texts[o->Ident()]) << o->Ident();
    }
    EXPECT_EQ(std::filesystem::exists(dir.file("Options.ini")), before);
}
