#pragma once
// Global hot keys on X11: key grabs on the root windows of the application's own X
// connection, key presses picked up by a native event filter.
#include "platform/HotKeys.h"

namespace platform {

// nullptr when the application does not run on X11.
std::unique_ptr<IHotKeyService> CreateX11HotKeyService();

} // namespace platform
