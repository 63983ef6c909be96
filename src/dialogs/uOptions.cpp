#include "dialogs/uOptions.h"

TForm1* Form1 = nullptr;

TForm1::TForm1(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("Настройки"));
}
