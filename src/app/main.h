#pragma once
// The main window: the task grid and the pulse chart on two pages, the big clock, the
// status bar, the menus and the tray icon.
#include <QMainWindow>

class QAction;
class QCheckBox;
class QFrame;
class QLabel;
class QMenu;
class QMenuBar;
class QStatusBar;
class QSystemTrayIcon;
class QTabWidget;
class QTimer;
class QToolButton;
class TStringGridCheck;
class TPulseChart;

class TForm3 : public QMainWindow {
    Q_OBJECT
public:
    explicit TForm3(QWidget* parent = nullptr);
    ~TForm3() override;

    // Page "Задания" and its strip of buttons.
    QTabWidget* PageControl1 = nullptr;
    QWidget* TabSheet1 = nullptr;
    QWidget* TabSheet2 = nullptr;
    TStringGridCheck* TaskGrid = nullptr;
    QWidget* Panel4 = nullptr;
    QToolButton* SpeedButton1 = nullptr; // "Добавить"
    QCheckBox* CheckBox1 = nullptr;      // "Показать скрытые"
    QToolButton* SpeedButton2 = nullptr; // "Удалить весь список"
    TPulseChart* Chart1 = nullptr;
    // The big clock.
    QFrame* Panel2 = nullptr;
    QLabel* Label5 = nullptr;
    QStatusBar* StatusBar1 = nullptr;
    QLabel* StatusPanels[5] = {};
    QTimer* Timer1 = nullptr;

    QMenuBar* MainMenu1 = nullptr;
    QAction* N1 = nullptr; // "Настройка"
    QMenu* N2 = nullptr;   // "Помощь"
    QAction* N6 = nullptr; // "Проверка обновлений"
    QAction* N7 = nullptr; // "О програме"

    QMenu* PopupMenu2 = nullptr; // the grid's context menu
    QAction* N11 = nullptr;
    QAction* N9 = nullptr;
    QAction* N10 = nullptr;
    QAction* N15 = nullptr;
    QAction* N8 = nullptr;
    QMenu* N12 = nullptr;
    QAction* N14 = nullptr;
    QAction* N13 = nullptr;

    QSystemTrayIcon* TrayIcon1 = nullptr;
    QMenu* PopupMenu1 = nullptr; // the tray menu
    QAction* N4 = nullptr;
    QAction* N3 = nullptr;
    QAction* N5 = nullptr;

    // Task commands.
    void SpeedButton1Click();
    void SpeedButton2Click();
    void N8Click();
    void N9Click();
    void N10Click();
    void TaskGridCheked(TStringGridCheck* Sender, int ARow, bool RowChecked);
    void CheckBox1Click();
    void N11Click();
    void N13Click();
    void N14Click();
    void TaskGridMouseUp(Qt::MouseButton Button, int X, int Y);

    // The clock.
    void Timer1Timer();
    uint32_t AdvanceTaskTimes(uint32_t ms);

    // Showing, hiding and quitting.
    void N4Click();
    void N5Click();
    void N1Click();
    void N7Click();
    void TrayIcon1DblClick();
    void WMHotKey(int id);
    void Chart1MouseUp(Qt::MouseButton Button);
    bool FormCloseQuery();
    // Saves what the quit saves, without quitting.
    void SaveForSession();
    void FormClose();

protected:
    void closeEvent(QCloseEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void FormCreate();
    void CreatePageTasks();
    void CreateClockAndStatus();
    void CreateMenus();
    void CreateTray();
    void InstallWindowRules();
    void ShowWindow();
    void FormShow();
    void AppMinimize();
    void FormDeactivate(QWindow* nowActive);
    void PageControl1Change();

    QTimer* TrayAnimation = nullptr;
    int TrayImage = 0;
};

extern TForm3* Form3;
