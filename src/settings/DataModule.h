#pragma once
// The data module: the program's task list and its settings.
#include <QObject>
#include <string>

class TMurvaneData : public QObject {
    Q_OBJECT
public:
    TMurvaneData();
    ~TMurvaneData() override;

    // The one load at the end of start-up, when every window exists.
    void LoadAtStartUp();

private:
    void DataModuleCreate();
    void DataModuleDestroy();
};

extern TMurvaneData* MurvaneData;
