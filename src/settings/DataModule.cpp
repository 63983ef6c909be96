#include "settings/DataModule.h"

#include "app/Application.h"
#include "app/Options1Access.h"
#include "app/Paths.h"
#include "app/Services.h"
#include "app/common.h"
#include "app/main.h"
#include "options/Options.h"
#include "pulse/PulseTimer.h"
#include "settings/Catalogue.h"
#include "system/HotKey.h"
#include "tasks/TaskListUnit.h"

#include <QAction>
#include <QCheckBox>

TMurvaneData* MurvaneData = nullptr;

TMurvaneData::TMurvaneData() {
    // The stored form: Options1 with its catalogue and its events.
    Options1 = new TOptions;
    ReadCatalogue(*Options1);
    Options1->OnOptionChange = [this](TOptions* s, TOption* o) { Options1OptionChange(s, o); };
    Options1->OnOptionLoad = [this](TOptions* s, TOption* o) { Options1OptionChange(s, o); };
    Options1->OnLoaded = [this](TOptions* s) { Options1Loaded(s); };
    TApplication::Guarded([this] { DataModuleCreate(); });
}

TMurvaneData::~TMurvaneData() {
    TApplication::Guarded([this] { DataModuleDestroy(); });
}

void TMurvaneData::DataModuleCreate() {
    TaskList = new TTaskList;
    TaskList->setFileName(ExeDir() + "Tasks.murvane");
    Options1->SetFileName(ExeDir() + "Options.ini");
}

void TMurvaneData::DataModuleDestroy() {
    // The list goes in any case; a failure to save the options is reported by the caller.
    struct DropTasks {
        ~DropTasks() {
            delete TaskList;
            TaskList = nullptr;
        }
    } drop;
    std::unique_ptr<TOptions> options(std::exchange(Options1, nullptr));
    options->SaveAllOptions();
}

void TMurvaneData::Options1Loaded(TOptions*) {
    // The pulse is loaded even when the task file could not be read; that error is
    // reported afterwards.
    std::exception_ptr gridError;
    try {
        LoadTaskGrid(Form3->TaskGrid);
    } catch (...) {
        gridError = std::current_exception();
    }
    LoadPulse(Form3->Chart1);
    if (gridError) std::rethrow_exception(gridError);
}

void TMurvaneData::Options1OptionChange(TOptions*, TOption* CurrentOption) {
    // Every control set here is set as a display: none of them runs its user handler, so
    // applying one setting never writes another.
    const std::string& ident = CurrentOption->Ident();
    if (ident == "AutoHide") {
        const bool v = CurrentOption->Value().AsBoolean();
        FillTaskGrid(Form3->TaskGrid);
        Form3->CheckBox1->setChecked(v);
        Form3->N11->setChecked(v);
    } else if (ident == "SortType") {
        const std::string s = CurrentOption->Value().AsString();
        struct Order {
            const char* text;
            TTaskSortType sort;
            bool byCompletion;
        };
        static const Order orders[] = {{"ActiveUp", tstActiveUp, true},
                                       {"ActiveDown", tstActiveDown, true},
                                       {"AlphaDown", tstCaptionTaskDown, false},
                                       {"AlphaUp", tstCaptionTaskUp, false}};
        for (const Order& o : orders) {
            if (s != o.text) continue;
            TaskList->setSorted(o.sort);
            Form3->N14->setChecked(o.byCompletion);
            Form3->N13->setChecked(!o.byCompletion);
            break;
        }
        FillTaskGrid(Form3->TaskGrid);
    } else if (ident == "FormHeight") {
        Form3->resize(Form3->width(), CurrentOption->Value().AsInteger());
    } else if (ident == "ChartTimer") {
        // Read first: a period that is no number leaves the running timer alone.
        CurrentOption->Value().AsInteger();
        StopPulseTimer();
        StartPulseTimer();
    } else if (ident == "HK_Show_Hide" || ident == "HK_AddTask" || ident == "HK_Exit") {
        const int id = ident == "HK_Show_Hide" ? 1 : ident == "HK_AddTask" ? 2 : 3;
        const TShortCut v = CurrentOption->Value().AsShortCut();
        if (HotKeyService) SetHotKey(*HotKeyService, id, v);
    }
}

namespace {

TOption& Setting(const char* ident) {
    TOption* option = MurvaneData->Options1->Items().Find(ident, "%All%", 0);
    if (!option) throw EConvertError(std::string("Нет настройки ") + ident);
    return *option;
}

} // namespace

TVariant OptionValue(const char* ident) {
    return Setting(ident).Value();
}

void SetOptionValue(const char* ident, const TVariant& value) {
    Setting(ident).SetValue(value);
}
