#include "app/Services.h"

platform::IHotKeyService* HotKeyService = nullptr;
