#include "platform/QuitSignals.h"

#include <QCoreApplication>
#include <QSocketNotifier>
#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace platform {
namespace {

int gPipe[2] = {-1, -1};

// Only async-signal-safe work here: one byte into the pipe.
void OnSignal(int) {
    const int saved = errno;
    const char byte = 1;
    (void)!::write(gPipe[1], &byte, 1);
    errno = saved;
}

} // namespace

void WatchQuitSignals(std::function<void()> onQuit) {
    if (gPipe[0] < 0) {
        if (::pipe2(gPipe, O_CLOEXEC | O_NONBLOCK) != 0) return;
        struct sigaction sa {};
        sa.sa_handler = &OnSignal;
        sigemptyset(&sa.sa_mask);
        sa.sa_flags = SA_RESTART;
        for (int sig : {SIGTERM, SIGINT, SIGHUP}) ::sigaction(sig, &sa, nullptr);
    }
    auto* notifier = new QSocketNotifier(gPipe[0], QSocketNotifier::Read, QCoreApplication::instance());
    QObject::connect(notifier, &QSocketNotifier::activated, notifier, [onQuit = std::move(onQuit)] {
        char buf[64];
        while (::read(gPipe[0], buf, sizeof buf) > 0) {
        }
        onQuit();
    });
}

} // namespace platform
