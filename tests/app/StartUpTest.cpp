#include "app/Paths.h"
#include "settings/DataModule.h"
#include "tasks/TaskListUnit.h"

#include <gtest/gtest.h>

TEST(StartUp, DataModuleCreatesTheTaskListBesideTheExecutable) {
    TMurvaneData data;
    ASSERT_NE(TaskList, nullptr);
    EXPECT_EQ(TaskList->Count(), 0);
    EXPECT_EQ(TaskList->FileName(), ExeDir() + "Tasks.murvane");
    EXPECT_EQ(ExeDir().back(), '/');
}

#include "ModalAnswer.h"
#include "TempDir.h"
#include "app/main.h"

#include <filesystem>

namespace {

struct MainWindowFixture : ::testing::Test {
    TempDir dir;
    std::unique_ptr<TMurvaneData> data = std::make_unique<TMurvaneData>();
    void SetUp() override { TaskList->setFileName(dir.file("Tasks.murvane")); }
};

} // namespace

TEST_F(MainWindowFixture, ClosingTheWindowSavesTheTaskFile) {
    auto* task = new TMyTask;
    task->setCTask(TcTask::FromUtf8("%Global%"));
    TaskList->Add(task);
    TForm3 form;
    form.show();
    form.close();
    EXPECT_EQ(std::filesystem::file_size(dir.file("Tasks.murvane")), 288u);
}

TEST_F(MainWindowFixture, ATaskFileThatCouldNotBeReadIsKeptAndTheUserTold) {
    std::filesystem::create_directory(dir.file("Tasks.murvane"));
    EXPECT_ANY_THROW(TaskList->LoadTasks());
    TForm3 form;
    form.show();
    auto seen = AcceptNextMessage();
    form.close();
    EXPECT_EQ(seen->text, "Ошибка при сохранении списка задач.");
    EXPECT_TRUE(std::filesystem::is_directory(dir.file("Tasks.murvane")));
}
