#include "app/common.h"

#include "tasks/TaskListUnit.h"

#include <QMessageBox>

void SaveAll() {
    if (!TaskList->SaveTasks()) {
        QMessageBox box(QMessageBox::NoIcon, QStringLiteral("Murvane"),
                        QStringLiteral("Ошибка при сохранении списка задач."), QMessageBox::Ok);
        box.exec();
    }
}
