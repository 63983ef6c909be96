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
