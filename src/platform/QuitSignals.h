#pragma once
// SIGTERM, SIGINT and SIGHUP (a logout, a shutdown, Ctrl+C in a terminal) reach the program
// as a call on the UI thread, so it can quit the same way as from its own menu.
#include <functional>

namespace platform {

// Installs the handlers; onQuit runs on the UI thread, once per signal received.
// Needs the application object.
void WatchQuitSignals(std::function<void()> onQuit);

} // namespace platform
