#pragma once
// The system services the windows use, chosen once by the program block (tests put fakes
// in their place).
#include "platform/HotKeys.h"

extern platform::IHotKeyService* HotKeyService;

// Hot key presses reach Form3 as its hot key message, queued: the command then runs from
// the event loop like any other message, with its errors reported, and never inside the
// X event filter.
void DeliverHotKeysToMainWindow(platform::IHotKeyService& service);
