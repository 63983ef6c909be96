#pragma once
// The system services the windows use, chosen once by the program block (tests put fakes
// in their place).
#include "platform/HotKeys.h"

extern platform::IHotKeyService* HotKeyService;
