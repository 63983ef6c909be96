#include "platform/UiThread.h"

#include <QCoreApplication>
#include <QMetaObject>

namespace platform {

void PostTimerTick(UINT id, std::function<void()> work) {
    QCoreApplication* app = QCoreApplication::instance();
    if (app == nullptr || !work) return;
    QMetaObject::invokeMethod(
        app,
        [id, work = std::move(work)] {
            // Kills happen on the UI thread too, so this check and the work cannot be
            // overtaken by a kill.
            if (IsTimerActive(id)) work();
        },
        Qt::QueuedConnection);
}

} // namespace platform
