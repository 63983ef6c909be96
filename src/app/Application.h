#pragma once
// The application object. It shows the text of any error that escapes an event handler
// in a message box, so no exception ever crosses the event loop.
#include <QApplication>
#include <functional>

class TApplication : public QApplication {
public:
    TApplication(int& argc, char** argv);
    bool notify(QObject* receiver, QEvent* event) override;

    // The standard error report: a message box with the error's text.
    static void ShowException(const std::exception& e);
    static void ShowException(const QString& text);
    // Runs one piece of work; an error is reported and the work ends there.
    static void Guarded(const std::function<void()>& work);

    // Replaces the message box, for tests that check what would have been shown.
    static std::function<void(const QString&)> errorReportForTest;
};
