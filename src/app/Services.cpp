#include "app/Services.h"

#include "app/main.h"

#include <QCoreApplication>

platform::IHotKeyService* HotKeyService = nullptr;

void DeliverHotKeysToMainWindow(platform::IHotKeyService& service) {
    service.onHotKey = [](int id) {
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [id] {
                if (Form3) Form3->WMHotKey(id);
            },
            Qt::QueuedConnection);
    };
}
