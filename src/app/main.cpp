#include "app/main.h"

#include "app/Application.h"
#include "app/common.h"

#include <QCloseEvent>

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent) : QMainWindow(parent) {
    setWindowTitle(QStringLiteral("Murvane"));
    resize(430, 220);
    move(256, 154);
    TApplication::Guarded([this] { FormCreate(); });
}

void TForm3::FormCreate() {}

void TForm3::closeEvent(QCloseEvent* event) {
    // Until the tray and its quit command exist, closing the main window ends the
    // program; the quit command will take this place and closing will only hide.
    SaveAll();
    event->accept();
    QApplication::quit();
}
