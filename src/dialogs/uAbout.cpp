#include "dialogs/uAbout.h"

#include "app/Application.h"
#include "settings/DataModule.h"

TForm6* Form6 = nullptr;

TForm6::TForm6(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("О Программе"));
    TApplication::Guarded([this] { FormCreate(); });
}

void TForm6::FormCreate() {
    MurvaneData->LoadAtStartUp();
}
