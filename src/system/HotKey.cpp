#include "system/HotKey.h"

void SetHotKey(platform::IHotKeyService& service, int id, TShortCut shortcut) {
    if (shortcut == 0) {
        service.UnregisterHotKey(id);
        return;
    }
    const unsigned key = shortcut & scKeyMask;
    unsigned modifiers = 0;
    if (shortcut & scCtrl) modifiers |= platform::MOD_CONTROL;
    if (shortcut & scShift) modifiers |= platform::MOD_SHIFT;
    if (shortcut & scAlt) modifiers |= platform::MOD_ALT;
    service.RegisterHotKey(id, modifiers, key);
}
