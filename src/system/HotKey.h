#pragma once
// Turns one hot key setting into a registration with the global hot key service.
#include "options/ShortCut.h"
#include "platform/HotKeys.h"

// shortcut 0 releases id; anything else registers it for id without releasing an earlier
// registration first. The outcome is not looked at: a combination another program holds
// simply does nothing.
void SetHotKey(platform::IHotKeyService& service, int id, TShortCut shortcut);
