#pragma once
// Hands the work of a timer tick from the timer service's thread to the UI thread.
#include "platform/MMSystem.h"

#include <functional>

namespace platform {

// Call from the callback of a periodic timer. The work runs later on the UI thread, unless
// timer id has been killed by then: a tick that arrives after its kill does nothing. (A
// one-shot timer has ended once it fired, so its work would always be dropped.)
// Without an application object the work is dropped.
void PostTimerTick(UINT id, std::function<void()> work);

} // namespace platform
