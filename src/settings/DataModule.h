#pragma once
// The data module: the program's task list and its settings store Options1, whose stored
// form carries the catalogue of settings; its handlers apply every loaded or changed setting.
#include <QObject>

class TOptions;
class TOption;

class TMurvaneData : public QObject {
    Q_OBJECT
public:
    TMurvaneData();
    ~TMurvaneData() override;

    TOptions* Options1 = nullptr;

    void Options1OptionChange(TOptions* Sender, TOption* CurrentOption);
    void Options1Loaded(TOptions* Sender);

private:
    void DataModuleCreate();
    void DataModuleDestroy();
};

extern TMurvaneData* MurvaneData;
