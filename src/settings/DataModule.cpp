#include "settings/DataModule.h"

#include "app/Application.h"
#include "app/Paths.h"
#include "tasks/TaskListUnit.h"

TMurvaneData* MurvaneData = nullptr;

TMurvaneData::TMurvaneData() {
    TApplication::Guarded([this] { DataModuleCreate(); });
}

TMurvaneData::~TMurvaneData() {
    DataModuleDestroy();
}

void TMurvaneData::DataModuleCreate() {
    TaskList = new TTaskList;
    TaskList->setFileName(ExeDir() + "Tasks.murvane");
}

void TMurvaneData::LoadAtStartUp() {
    TaskList->LoadTasks();
}

void TMurvaneData::DataModuleDestroy() {
    delete TaskList;
    TaskList = nullptr;
}
