#include "app/Program.h"

#include "app/main.h"
#include "dialogs/uAbout.h"
#include "dialogs/uOptions.h"
#include "floating/ComboFloat.h"
#include "pulse/PulseTimer.h"
#include "settings/DataModule.h"

#include <utility>

void CreateProgramObjects() {
    MurvaneData = new TMurvaneData;
    Form3 = new TForm3;
    ComboFloatForm = new TComboFloatForm;
    Form1 = new TForm1;
    Form6 = new TForm6;
}

void DestroyProgramObjects() {
    StopTimers(); // no tick may reach a window that is gone
    delete std::exchange(Form6, nullptr);
    delete std::exchange(Form1, nullptr);
    delete std::exchange(ComboFloatForm, nullptr);
    delete std::exchange(Form3, nullptr);
    delete std::exchange(MurvaneData, nullptr); // saves the settings
}
