#include "app/main.h"

#include "app/Application.h"
#include "app/TrayIcons.h"
#include "app/common.h"
#include "controls/StringGridCheker.h"
#include "platform/GetTickCount.h"
#include "pulse/PulseChart.h"

#include <QActionGroup>
#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>
#include <QSystemTrayIcon>
#include <QTabBar>
#include <QTabWidget>
#include <QTimer>
#include <QToolButton>
#include <QVBoxLayout>

TForm3* Form3 = nullptr;

TForm3::TForm3(QWidget* parent)
    : QMainWindow(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                              Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint) {
    setWindowTitle(QStringLiteral("Murvane"));
    // Tahoma where the desktop has it, otherwise a face of the same narrow build.
    QFont font;
    font.setFamilies({QStringLiteral("Tahoma"), QStringLiteral("DejaVu Sans Condensed")});
    font.setPixelSize(11);
    setFont(font);
    setFixedWidth(430);
    setMinimumHeight(220);
    resize(430, 325);
    move(256, 154);
    CreateMenus();
    CreatePageTasks();
    CreateClockAndStatus();
    CreateTray();
    InstallWindowRules();
    TApplication::Guarded([this] { FormCreate(); });
}

TForm3::~TForm3() = default;

void TForm3::FormCreate() {
    LastTickCount = platform::GetTickCount();
    Timer1->start();
    TaskGrid->setCells(1, 0, QStringLiteral("Задание"));
    TaskGrid->setCells(2, 0, QStringLiteral("Время"));
}

void TForm3::CreatePageTasks() {
    auto* panel3 = new QWidget(this);
    auto* layout = new QVBoxLayout(panel3);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    setCentralWidget(panel3);

    PageControl1 = new QTabWidget(panel3);
    layout->addWidget(PageControl1, 1);
    TabSheet1 = new QWidget;
    TabSheet2 = new QWidget;
    PageControl1->addTab(TabSheet1, QStringLiteral("Задания"));
    PageControl1->addTab(TabSheet2, QStringLiteral("Пульс"));

    TaskGrid = new TStringGridCheck(TabSheet1);
    TaskGrid->setColCount(3);
    TaskGrid->setFixedCols(1);
    TaskGrid->setFixedRows(1);
    TaskGrid->setRowCount(2);
    TaskGrid->setDefaultRowHeight(20);
    TaskGrid->setColWidths(0, 16);
    TaskGrid->setColWidths(1, 321);
    TaskGrid->setColWidths(2, 55);
    TaskGrid->setOptions(goFixedVertLine | goFixedHorzLine | goVertLine | goHorzLine | goRowSelect |
                         goFixedColClick | goFixedRowClick | goFixedHotTrack);
    TaskGrid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    TaskGrid->setCheckCollIndex(0);
    TaskGrid->OnCheked = [this](TStringGridCheck* s, int row, bool checked) {
        TaskGridCheked(s, row, checked);
    };
    TaskGrid->OnMouseUp = [this](TStringGridCheck*, Qt::MouseButton b, Qt::KeyboardModifiers, int x, int y) {
        TaskGridMouseUp(b, x, y);
    };
    auto* page1 = new QVBoxLayout(TabSheet1);
    page1->setContentsMargins(0, 0, 0, 0);
    page1->addWidget(TaskGrid);

    Chart1 = new TPulseChart(TabSheet2);
    Chart1->OnMouseUp = [this](Qt::MouseButton b) { Chart1MouseUp(b); };
    auto* page2 = new QVBoxLayout(TabSheet2);
    page2->setContentsMargins(0, 0, 0, 0);
    page2->addWidget(Chart1);

    // The strip of buttons sits in the tab row, to the right of the tabs.
    // Its place follows the width of the tabs in the font the desktop gives.
    Panel4 = new QWidget(PageControl1);
    const int stripLeft = std::max(110, PageControl1->tabBar()->sizeHint().width() + 2);
    Panel4->setGeometry(stripLeft, 1, 422 - stripLeft, 19);
    auto* strip = new QHBoxLayout(Panel4);
    strip->setContentsMargins(0, 0, 0, 0);
    strip->setSpacing(0);
    SpeedButton1 = new QToolButton;
    SpeedButton1->setText(QStringLiteral("Добавить"));
    SpeedButton1->setAutoRaise(true);
    CheckBox1 = new QCheckBox(QStringLiteral("Показать скрытые"));
    SpeedButton2 = new QToolButton;
    SpeedButton2->setText(QStringLiteral("Удалить весь список"));
    SpeedButton2->setAutoRaise(true);
    strip->addWidget(SpeedButton1);
    strip->addWidget(CheckBox1);
    strip->addWidget(SpeedButton2);
    Panel4->raise();
    // clicked() is the user's click only; setting the box from an option emits nothing here.
    connect(SpeedButton1, &QToolButton::clicked, this, [this] { SpeedButton1Click(); });
    connect(SpeedButton2, &QToolButton::clicked, this, [this] { SpeedButton2Click(); });
    connect(CheckBox1, &QCheckBox::clicked, this, [this] { CheckBox1Click(); });
    connect(PageControl1, &QTabWidget::currentChanged, this, [this] { PageControl1Change(); });

    PopupMenu2 = new QMenu(this);
    N11 = PopupMenu2->addAction(QStringLiteral("Показать скрытые"));
    N11->setCheckable(true);
    PopupMenu2->setDefaultAction(N11);
    N9 = PopupMenu2->addAction(QStringLiteral("Отметить как \"Выполненное\""));
    N10 = PopupMenu2->addAction(QStringLiteral("Снять отметку о выполнении"));
    N15 = PopupMenu2->addAction(QStringLiteral("Добавить задание"));
    N8 = PopupMenu2->addAction(QStringLiteral("Удалить задание"));
    N12 = PopupMenu2->addMenu(QStringLiteral("Сортировать список"));
    N14 = N12->addAction(QStringLiteral("по выполнению"));
    N13 = N12->addAction(QStringLiteral("по алфавиту"));
    auto* sortGroup = new QActionGroup(this);
    for (QAction* a : {N14, N13}) {
        a->setCheckable(true);
        sortGroup->addAction(a);
    }
    // triggered() comes from the user only; setChecked from an option does not emit it.
    connect(N11, &QAction::triggered, this, [this] { N11Click(); });
    connect(N9, &QAction::triggered, this, [this] { N9Click(); });
    connect(N10, &QAction::triggered, this, [this] { N10Click(); });
    connect(N15, &QAction::triggered, this, [this] { SpeedButton1Click(); });
    connect(N8, &QAction::triggered, this, [this] { N8Click(); });
    connect(N14, &QAction::triggered, this, [this] { N14Click(); });
    connect(N13, &QAction::triggered, this, [this] { N13Click(); });
    TaskGrid->setContextMenuPolicy(Qt::CustomContextMenu);
    connect(TaskGrid, &QWidget::customContextMenuRequested, this,
            [this](const QPoint& at) { PopupMenu2->popup(TaskGrid->viewport()->mapToGlobal(at)); });
}

void TForm3::CreateClockAndStatus() {
    auto* layout = static_cast<QVBoxLayout*>(centralWidget()->layout());
    Panel2 = new QFrame;
    Panel2->setFrameShape(QFrame::Panel);
    Panel2->setFrameShadow(QFrame::Raised);
    Panel2->setFixedHeight(30);
    Label5 = new QLabel(QStringLiteral("0:00:00"), Panel2);
    QFont clock(QStringLiteral("Tahoma"));
    clock.setPixelSize(24);
    clock.setBold(true);
    Label5->setFont(clock);
    Label5->setStyleSheet(QStringLiteral("color: red"));
    Label5->move(156, 1);
    Label5->setMinimumWidth(200);
    layout->addWidget(Panel2);

    StatusBar1 = new QStatusBar(this);
    StatusBar1->setSizeGripEnabled(false);
    const int widths[5] = {100, 50, 60, 50, 50};
    const QString texts[5] = {QStringLiteral("Всего заданий"), {}, QStringLiteral("активных"), {}, {}};
    for (int i = 0; i < 5; ++i) {
        StatusPanels[i] = new QLabel(texts[i]);
        StatusPanels[i]->setFixedWidth(widths[i]);
        StatusBar1->addWidget(StatusPanels[i]);
    }
    setStatusBar(StatusBar1);

    Timer1 = new QTimer(this);
    Timer1->setInterval(250);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
}

void TForm3::CreateMenus() {
    MainMenu1 = menuBar();
    N1 = MainMenu1->addAction(QStringLiteral("Настройка"));
    N2 = MainMenu1->addMenu(QStringLiteral("Помощь"));
    N6 = N2->addAction(QStringLiteral("Проверка обновлений"));
    N7 = N2->addAction(QStringLiteral("О програме"));
    connect(N1, &QAction::triggered, this, [this] { N1Click(); });
    connect(N7, &QAction::triggered, this, [this] { N7Click(); });
    N6->setEnabled(false); // the update check is not part of this build yet
}

void TForm3::CreateTray() {
    PopupMenu1 = new QMenu(this);
    N4 = PopupMenu1->addAction(QStringLiteral("Показать/скрыть окно программы"));
    QFont bold = N4->font();
    bold.setBold(true);
    N4->setFont(bold);
    PopupMenu1->setDefaultAction(N4);
    N3 = PopupMenu1->addAction(QStringLiteral("Добавить задание"));
    N5 = PopupMenu1->addAction(QStringLiteral("Выход из программы"));
    connect(N4, &QAction::triggered, this, [this] { N4Click(); });
    connect(N3, &QAction::triggered, this, [this] { SpeedButton1Click(); });
    connect(N5, &QAction::triggered, this, [this] { N5Click(); });

    TrayIcon1 = new QSystemTrayIcon(this);
    TrayIcon1->setToolTip(QApplication::applicationDisplayName());
    TrayIcon1->setContextMenu(PopupMenu1);
    TrayIcon1->setIcon(TrayIconImage(0));
    connect(TrayIcon1, &QSystemTrayIcon::activated, this, [this](QSystemTrayIcon::ActivationReason why) {
        if (why == QSystemTrayIcon::DoubleClick) TrayIcon1DblClick();
    });
    TrayAnimation = new QTimer(this);
    TrayAnimation->setInterval(1000);
    connect(TrayAnimation, &QTimer::timeout, this, [this] {
        TrayImage = (TrayImage + 1) % kTrayImageCount;
        TrayIcon1->setIcon(TrayIconImage(TrayImage));
    });
    TrayIcon1->show();
    TrayAnimation->start();
}

void TForm3::PageControl1Change() {
    Panel4->setVisible(PageControl1->currentWidget() == TabSheet1);
}
