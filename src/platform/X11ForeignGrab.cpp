#include "platform/X11ForeignGrab.h"

#include "platform/HotKeys.h"
#include "platform/VirtualKeys.h"

#include <chrono>
#include <cstdlib>
#include <thread>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace platform {

struct X11ForeignGrab::Connection {
    xcb_connection_t* xcb = nullptr;
    ~Connection() {
        if (xcb) xcb_disconnect(xcb);
    }
};

bool X11DisplayAvailable() {
    const char* display = std::getenv("DISPLAY");
    if (display == nullptr || *display == '\0') return false;
    // An Xvfb started without -noreset resets whenever its last client leaves, and refuses
    // connections meanwhile: try for a while, then stay connected for the life of the
    // process, so the application's own connection does not meet a reset of ours.
    static xcb_connection_t* kept = nullptr;
    for (int attempt = 0; kept == nullptr && attempt < 20; ++attempt) {
        xcb_connection_t* xcb = xcb_connect(display, nullptr);
        if (xcb_connection_has_error(xcb) == 0) {
            kept = xcb;
            break;
        }
        xcb_disconnect(xcb);
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return kept != nullptr;
}

X11ForeignGrab::X11ForeignGrab(unsigned modifiers, unsigned vk, bool capsLock)
    : connection_(std::make_unique<Connection>()) {
    connection_->xcb = xcb_connect(nullptr, nullptr);
    xcb_connection_t* xcb = connection_->xcb;
    if (xcb_connection_has_error(xcb)) return;
    uint16_t mods = 0;
    if (modifiers & MOD_SHIFT) mods |= XCB_MOD_MASK_SHIFT;
    if (modifiers & MOD_CONTROL) mods |= XCB_MOD_MASK_CONTROL;
    if (modifiers & MOD_ALT) mods |= XCB_MOD_MASK_1;
    if (modifiers & MOD_WIN) mods |= XCB_MOD_MASK_4;
    if (capsLock) mods |= XCB_MOD_MASK_LOCK;
    xcb_key_symbols_t* symbols = xcb_key_symbols_alloc(xcb);
    xcb_keycode_t* codes = xcb_key_symbols_get_keycode(symbols, VirtualKeyToKeysym(vk));
    const xcb_window_t root = xcb_setup_roots_iterator(xcb_get_setup(xcb)).data->root;
    if (codes && codes[0] != XCB_NO_SYMBOL) {
        const auto cookie =
            xcb_grab_key_checked(xcb, 0, root, mods, codes[0], XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC);
        xcb_generic_error_t* error = xcb_request_check(xcb, cookie);
        held_ = error == nullptr;
        std::free(error);
    }
    std::free(codes);
    xcb_key_symbols_free(symbols);
}

X11ForeignGrab::~X11ForeignGrab() = default;

} // namespace platform
