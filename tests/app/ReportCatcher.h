#pragma once
// Collects what the application's error report would have shown, instead of a message box.
#include "app/Application.h"

#include <QStringList>

struct ReportCatcher {
    QStringList shown;
    ReportCatcher() {
        TApplication::errorReportForTest = [this](const QString& t) { shown << t; };
    }
    ~ReportCatcher() { TApplication::errorReportForTest = nullptr; }
    ReportCatcher(const ReportCatcher&) = delete;
    ReportCatcher& operator=(const ReportCatcher&) = delete;
};
