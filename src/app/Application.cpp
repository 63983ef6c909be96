#include "app/Application.h"

#include <QMessageBox>

std::function<void(const QString&)> TApplication::errorReportForTest;

TApplication::TApplication(int& argc, char** argv) : QApplication(argc, argv) {}

bool TApplication::notify(QObject* receiver, QEvent* event) {
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(QStringLiteral("Неизвестная ошибка"));
    }
    return true;
}

void TApplication::ShowException(const std::exception& e) {
    ShowException(QString::fromUtf8(e.what()));
}

void TApplication::ShowException(const QString& text) {
    if (errorReportForTest) {
        errorReportForTest(text);
        return;
    }
    QMessageBox box(QMessageBox::Critical, QApplication::applicationDisplayName(), text, QMessageBox::Ok);
    box.exec();
}

void TApplication::Guarded(const std::function<void()>& work) {
    try {
        work();
    } catch (const std::exception& e) {
        ShowException(e);
    } catch (...) {
        ShowException(QStringLiteral("Неизвестная ошибка"));
    }
}
