#pragma once
// Test support: another X client, on a connection of its own to $DISPLAY, holding one key
// combination on the root window, as another program holding a hot key would.
#include <memory>

namespace platform {

// Whether an X server answers on $DISPLAY; call it before the application object exists.
bool X11DisplayAvailable();

class X11ForeignGrab {
public:
    // modifiers and vk as for IHotKeyService::RegisterHotKey; grabs the combination with
    // Caps Lock off, or only with Caps Lock on.
    X11ForeignGrab(unsigned modifiers, unsigned vk, bool capsLock = false);
    ~X11ForeignGrab();
    X11ForeignGrab(const X11ForeignGrab&) = delete;
    X11ForeignGrab& operator=(const X11ForeignGrab&) = delete;

    bool Held() const { return held_; }

private:
    struct Connection;
    std::unique_ptr<Connection> connection_;
    bool held_ = false;
};

} // namespace platform
