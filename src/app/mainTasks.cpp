// The task commands of the main window, its menus and the tray.
#include "app/Options1Access.h"
#include "app/common.h"
#include "app/main.h"
#include "controls/StringGridCheker.h"
#include "pulse/PulseTimer.h"
#include "tasks/TaskListUnit.h"

#include <QCheckBox>
#include <QGuiApplication>
#include <QInputDialog>
#include <QLineEdit>
#include <QMessageBox>
#include <QScreen>

namespace {

// The add dialog: "Новое" selected, at most 255 characters, in the middle of the screen.
bool AskTaskText(QString& text) {
    QInputDialog dialog;
    dialog.setWindowTitle(QStringLiteral("Новое задание"));
    dialog.setLabelText(QStringLiteral("Текст задания"));
    dialog.setInputMode(QInputDialog::TextInput);
    dialog.setTextValue(QStringLiteral("Новое"));
    if (auto* edit = dialog.findChild<QLineEdit*>()) {
        edit->setMaxLength(255);
        edit->selectAll();
    }
    dialog.adjustSize();
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        dialog.move(screen->availableGeometry().center() - dialog.rect().center());
    if (dialog.exec() != QDialog::Accepted) return false;
    text = dialog.textValue();
    return true;
}

std::string SelectedTaskText(TStringGridCheck* grid) {
    return grid->Cells(1, grid->Row()).toStdString();
}

} // namespace

void TForm3::SpeedButton1Click() {
    for (;;) {
        if (GlobalTimeIsZero()) StartPulseTimer();
        QString text;
        if (!AskTaskText(text) || text.isEmpty()) break;
        // The duplicate test looks at the text as it will be stored, so that two texts the
        // task file cannot tell apart never become two tasks.
        const std::string stored = StoredTaskText(text.toStdString());
        if (FindTaskId(stored) == -1) {
            NewTask(stored);
            break;
        }
        QMessageBox box(QMessageBox::Critical, QStringLiteral("Повторяться не стоит"),
                        QStringLiteral("Такое задание уже есть в списке...Точно тебе говорю"),
                        QMessageBox::Ok, this);
        box.exec();
    }
    FillTaskGrid(TaskGrid);
    UpdateStatusCounts();
}

void TForm3::SpeedButton2Click() {
    TaskList->Clear();
    TaskList->SaveTasks();
    LoadTaskGrid(TaskGrid);
}

void TForm3::N8Click() {
    DeleteTask(SelectedTaskText(TaskGrid));
    UpdateStatusCounts();
}

void TForm3::N9Click() {
    if (TaskGrid->CheckCollIndex() != -1) TaskGrid->SetChecked(TaskGrid->Row(), true);
}

void TForm3::N10Click() {
    if (TaskGrid->CheckCollIndex() != -1) TaskGrid->SetChecked(TaskGrid->Row(), false);
}

void TForm3::TaskGridCheked(TStringGridCheck*, int ARow, bool RowChecked) {
    if (GridFilling) return;
    const std::string text = TaskGrid->Cells(1, ARow).toStdString();
    if (RowChecked)
        CompleteTask(text);
    else
        ReopenTask(text);
    FillTaskGrid(TaskGrid);
    UpdateStatusCounts();
}

void TForm3::CheckBox1Click() {
    SetOptionValue("AutoHide", CheckBox1->isChecked());
}

void TForm3::N11Click() {
    SetOptionValue("AutoHide", N11->isChecked());
}

void TForm3::N14Click() {
    SetOptionValue("SortType", TaskList->Sorted() == tstActiveUp ? "ActiveDown" : "ActiveUp");
}

void TForm3::N13Click() {
    SetOptionValue("SortType", TaskList->Sorted() == tstCaptionTaskUp ? "AlphaDown" : "AlphaUp");
}

void TForm3::TaskGridMouseUp(Qt::MouseButton, int X, int Y) {
    const QPoint cell = TaskGrid->MouseCoord(X, Y);
    if (cell == QPoint(0, 0))
        N14Click();
    else if (cell == QPoint(1, 0))
        N13Click();
}
