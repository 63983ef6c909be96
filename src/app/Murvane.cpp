// The program block: one copy at a time, the objects and windows in their order, the
// message loop, and the teardown that saves the settings.
#include "app/Application.h"
#include "app/Program.h"
#include "app/Services.h"
#include "app/main.h"
#include "platform/QuitSignals.h"
#include "platform/SingleInstance.h"

#include <QMessageBox>
#include <QSessionManager>
#include <memory>

// Held for the whole life of the process; the kernel lets go of it when the process ends.
static platform::SingleInstanceLock* InstanceMutex = nullptr;

static bool IsAlreadyRunning() {
    InstanceMutex = new platform::SingleInstanceLock(platform::SingleInstanceLock::NameForCurrentUser());
    return InstanceMutex->HeldElsewhere();
}

int main(int argc, char** argv) {
    TApplication app(argc, argv);
    if (IsAlreadyRunning()) {
        QMessageBox box(QMessageBox::Warning, QStringLiteral("Ошибка"),
                        QStringLiteral("Murvane уже запущен."), QMessageBox::Ok);
        box.exec();
        return 0;
    }
    QApplication::setApplicationName(QStringLiteral("Murvane"));
    QApplication::setApplicationDisplayName(QStringLiteral("Murvane"));
    // The windows stay alive while hidden in the tray; only the quit command ends the loop.
    QApplication::setQuitOnLastWindowClosed(false);

    // Hot keys reach the main window whatever has the focus, also while it is hidden.
    std::unique_ptr<platform::IHotKeyService> hotKeys = platform::CreateHotKeyService();
    HotKeyService = hotKeys.get();
    DeliverHotKeysToMainWindow(*hotKeys);
    // A logout, a shutdown or a termination signal quits as the tray's quit command does,
    // so nothing is lost.
    platform::WatchQuitSignals([] {
        if (Form3) Form3->N5Click();
    });
    // The session manager asks for the data before a logout (and at checkpoints): it is
    // saved without quitting; the termination that follows a logout then quits.
    QObject::connect(&app, &QGuiApplication::commitDataRequest, &app, [](QSessionManager&) {
        if (Form3) Form3->SaveForSession();
    });

    CreateProgramObjects();

    Form3->show();
    app.exec();

    DestroyProgramObjects();
    HotKeyService = nullptr;
    return 0;
}
