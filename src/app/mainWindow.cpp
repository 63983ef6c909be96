// Showing and hiding the main window, the tray, the hot keys and the quit sequence.
#include "app/Application.h"
#include "app/Options1Access.h"
#include "app/Services.h"
#include "app/common.h"
#include "app/main.h"
#include "controls/StringGridCheker.h"
#include "dialogs/uAbout.h"
#include "dialogs/uOptions.h"
#include "floating/ComboFloat.h"
#include "pulse/PulseChart.h"
#include "pulse/PulseTimer.h"
#include "tasks/TaskListUnit.h"

#include <QApplication>
#include <QCloseEvent>
#include <QMessageBox>
#include <QShortcut>
#include <QTabWidget>
#include <QWindow>

void TForm3::InstallWindowRules() {
    // The window sees Esc before its controls do.
    auto* esc = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    esc->setContext(Qt::WindowShortcut);
    connect(esc, &QShortcut::activated, this, [this] {
        if (isVisible()) close();
    });
    connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](QWindow* w) { FormDeactivate(w); });
}

void TForm3::FormDeactivate(QWindow* nowActive) {
    // Only another real window of the program counts (a dialog, the settings, the about
    // box): menus, tool tips and message boxes are not windows that take the user away.
    if (!nowActive || !isVisible() || nowActive == windowHandle()) return;
    const Qt::WindowType type = nowActive->type();
    if (type == Qt::Popup || type == Qt::ToolTip || type == Qt::Tool) return;
    for (QWidget* w : QApplication::topLevelWidgets())
        if (w->windowHandle() == nowActive && qobject_cast<QMessageBox*>(w)) return;
    hide();
}

void TForm3::changeEvent(QEvent* event) {
    QMainWindow::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange && isMinimized()) AppMinimize();
}

void TForm3::AppMinimize() {
    setWindowState(windowState() & ~Qt::WindowMinimized);
    close();
}

void TForm3::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!event->spontaneous()) TApplication::Guarded([this] { FormShow(); });
}

void TForm3::FormShow() {
    if (ComboFloatForm && ComboFloatForm->isVisible()) ComboFloatForm->hide();
    UpdateStatusCounts();
    if (PageControl1->currentWidget() == TabSheet1) TaskGrid->setFocus();
}

void TForm3::ShowWindow() {
    show();
    setWindowState(windowState() & ~Qt::WindowMinimized);
    raise();
    activateWindow();
}

void TForm3::TrayIcon1DblClick() {
    if (isVisible())
        close();
    else
        ShowWindow();
}

void TForm3::N4Click() {
    if (isVisible())
        close();
    else
        ShowWindow();
}

void TForm3::N5Click() {
    QuitRequested = true;
    close();
}

void TForm3::N1Click() {
    hide();
    Form1->exec();
}

void TForm3::N7Click() {
    hide();
    Form6->exec();
}

void TForm3::WMHotKey(int id) {
    switch (id) {
    case 1:
        N4Click();
        break;
    case 2:
        SpeedButton1Click();
        break;
    case 3:
        N5Click();
        break;
    default:
        break;
    }
}

void TForm3::Chart1MouseUp(Qt::MouseButton Button) {
    // Clicks count only while the chart is lent to the floating window.
    if (Chart1->parentWidget() == TabSheet2) return;
    if (Button == Qt::RightButton && ComboFloatForm) ComboFloatForm->hide();
    if (Button == Qt::LeftButton) ShowWindow();
}

bool TForm3::FormCloseQuery() {
    if (QuitRequested) {
        SetOptionValue("FormHeight", height());
        StopTimers();
        // Nothing that could not be saved is given up: the program keeps running with it.
        if (!SaveAll()) return false;
    }
    return QuitRequested;
}

void TForm3::SaveForSession() {
    TApplication::Guarded([this] {
        SetOptionValue("FormHeight", height());
        SavePulse(Chart1);
        TaskList->SaveTasks();
    });
}

void TForm3::closeEvent(QCloseEvent* event) {
    bool canClose = false;
    try {
        canClose = FormCloseQuery();
    } catch (const std::exception& e) {
        // The quit stops here: the window stays as it is and the next close request tries
        // the quit again.
        event->ignore();
        TApplication::ShowException(e);
        return;
    }
    if (!canClose) {
        event->ignore();
        if (!QuitRequested) hide();
        return;
    }
    event->accept();
    FormClose();
    QApplication::quit();
}

void TForm3::FormClose() {
    if (!HotKeyService) return;
    for (int id : {1, 3, 2}) HotKeyService->UnregisterHotKey(id);
}
