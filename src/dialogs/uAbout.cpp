#include "dialogs/uAbout.h"

#include "app/Application.h"
#include "app/Paths.h"
#include "options/Options.h"
#include "settings/DataModule.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("О Программе"));
    TApplication::Guarded([this] { FormCreate(); });
}

void TForm6::FormCreate() {
    // Every window exists now, so each loaded setting finds the controls it is shown in.
    MurvaneData->Options1->SetFileName(ExeDir() + "Options.ini");
    MurvaneData->Options1->LoadAllOptions();
}
