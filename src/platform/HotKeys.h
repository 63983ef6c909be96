#pragma once
// The global hot key service: key combinations that reach the program whatever window has
// the focus, also while its windows are hidden. Ids and modifier flags as in RegisterHotKey.
#include <functional>
#include <memory>

namespace platform {

constexpr unsigned MOD_ALT = 0x0001;
constexpr unsigned MOD_CONTROL = 0x0002;
constexpr unsigned MOD_SHIFT = 0x0004;
constexpr unsigned MOD_WIN = 0x0008;
constexpr unsigned WM_HOTKEY = 0x0312;

class IHotKeyService {
public:
    virtual ~IHotKeyService() = default;
    // Takes the combination (modifier flags above, a virtual-key code) for id. Fails (false)
    // when another client or another id holds it, when id holds this very combination
    // already, when the key has no equivalent here, or when no hot key service exists. On
    // failure id keeps what it held; on success a different combination id held before is
    // released, so one id never holds two combinations.
    virtual bool RegisterHotKey(int id, unsigned modifiers, unsigned vk) = 0;
    // False when id holds nothing.
    virtual bool UnregisterHotKey(int id) = 0;

    // Called on the UI thread with the id of the hot key pressed.
    std::function<void(int id)> onHotKey;
};

// The service of this session: X11 key grabs when the application runs on X11, otherwise
// (offscreen, Wayland) one whose registrations all fail. Needs the application object and
// must be destroyed before it.
std::unique_ptr<IHotKeyService> CreateHotKeyService();

} // namespace platform
