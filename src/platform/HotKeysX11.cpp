#include "platform/HotKeysX11.h"

#include "platform/VirtualKeys.h"

#include <QAbstractNativeEventFilter>
#include <QByteArray>
#include <QGuiApplication>
#include <algorithm>
#include <cstdlib>
#include <map>
#include <qguiapplication_platform.h>
#include <vector>
#include <xcb/xcb.h>
#include <xcb/xcb_keysyms.h>

namespace platform {
namespace {

constexpr uint16_t kRelevantMods =
    XCB_MOD_MASK_SHIFT | XCB_MOD_MASK_CONTROL | XCB_MOD_MASK_1 | XCB_MOD_MASK_4;
constexpr xcb_keysym_t kNumLockKeysym = 0xff7f;

struct Grab {
    xcb_window_t root;
    xcb_keycode_t keycode;
    uint16_t mods;
};

struct Entry {
    unsigned modifiers;
    unsigned vk;
    uint16_t xmods;
    std::vector<xcb_keycode_t> keycodes;
    std::vector<Grab> grabs;
};

class X11HotKeyService final : public IHotKeyService, public QAbstractNativeEventFilter {
public:
    explicit X11HotKeyService(xcb_connection_t* connection)
        : connection_(connection), symbols_(xcb_key_symbols_alloc(connection)) {
        for (auto it = xcb_setup_roots_iterator(xcb_get_setup(connection)); it.rem; xcb_screen_next(&it))
            roots_.push_back(it.data->root);
        numLockMask_ = FindNumLockMask();
        QCoreApplication::instance()->installNativeEventFilter(this);
    }

    ~X11HotKeyService() override {
        if (QCoreApplication::instance()) QCoreApplication::instance()->removeNativeEventFilter(this);
        for (const auto& [id, entry] : entries_) Ungrab(entry.grabs);
        xcb_flush(connection_);
        if (symbols_) xcb_key_symbols_free(symbols_);
    }

    bool RegisterHotKey(int id, unsigned modifiers, unsigned vk) override {
        if ((modifiers & ~(MOD_ALT | MOD_CONTROL | MOD_SHIFT | MOD_WIN)) != 0 || !symbols_) return false;
        const xcb_keysym_t keysym = VirtualKeyToKeysym(vk);
        if (keysym == 0) return false;
        Entry entry{modifiers, vk, ToXMods(modifiers), Keycodes(keysym), {}};
        if (entry.keycodes.empty() || HeldByUs(entry)) return false;

        std::vector<Grab> wanted;
        for (xcb_window_t root : roots_)
            for (xcb_keycode_t keycode : entry.keycodes)
                for (uint16_t lock : LockVariants())
                    wanted.push_back({root, keycode, uint16_t(entry.xmods | lock)});
        std::vector<xcb_void_cookie_t> cookies;
        for (const Grab& g : wanted)
            // Not owner_events: the press always comes to the root, also while one of our own
            // windows has the focus, and never reaches a widget as well.
            cookies.push_back(xcb_grab_key_checked(connection_, 0, g.root, g.mods, g.keycode,
                                                   XCB_GRAB_MODE_ASYNC, XCB_GRAB_MODE_ASYNC));
        bool all = true;
        for (size_t i = 0; i < cookies.size(); ++i) {
            if (xcb_generic_error_t* error = xcb_request_check(connection_, cookies[i])) {
                std::free(error); // another client holds this variant
                all = false;
            } else {
                entry.grabs.push_back(wanted[i]);
            }
        }
        if (!all) {
            Ungrab(entry.grabs);
            xcb_flush(connection_);
            return false;
        }
        if (auto old = entries_.find(id); old != entries_.end()) Ungrab(old->second.grabs);
        entries_[id] = std::move(entry);
        xcb_flush(connection_);
        return true;
    }

    bool UnregisterHotKey(int id) override {
        const auto it = entries_.find(id);
        if (it == entries_.end()) return false;
        Ungrab(it->second.grabs);
        entries_.erase(it);
        xcb_flush(connection_);
        return true;
    }

    bool nativeEventFilter(const QByteArray& type, void* message, qintptr*) override {
        if (type != "xcb_generic_event_t") return false;
        const auto* event = static_cast<const xcb_generic_event_t*>(message);
        if ((event->response_type & 0x7f) != XCB_KEY_PRESS) return false;
        const auto* press = reinterpret_cast<const xcb_key_press_event_t*>(event);
        if (std::find(roots_.begin(), roots_.end(), press->event) == roots_.end()) return false;
        const uint16_t mods = press->state & kRelevantMods; // Caps and Num Lock left out
        for (const auto& [id, entry] : entries_) {
            if (entry.xmods != mods) continue;
            if (std::find(entry.keycodes.begin(), entry.keycodes.end(), press->detail) ==
                entry.keycodes.end())
                continue;
            const int pressed = id; // the handler may change the registrations or end us
            if (onHotKey) onHotKey(pressed);
            return true;
        }
        return false;
    }

private:
    static uint16_t ToXMods(unsigned modifiers) {
        uint16_t mods = 0;
        if (modifiers & MOD_SHIFT) mods |= XCB_MOD_MASK_SHIFT;
        if (modifiers & MOD_CONTROL) mods |= XCB_MOD_MASK_CONTROL;
        if (modifiers & MOD_ALT) mods |= XCB_MOD_MASK_1;
        if (modifiers & MOD_WIN) mods |= XCB_MOD_MASK_4;
        return mods;
    }

    std::vector<xcb_keycode_t> Keycodes(xcb_keysym_t keysym) const {
        std::vector<xcb_keycode_t> codes;
        if (xcb_keycode_t* list = xcb_key_symbols_get_keycode(symbols_, keysym)) {
            for (xcb_keycode_t* code = list; *code != XCB_NO_SYMBOL; ++code)
                if (std::find(codes.begin(), codes.end(), *code) == codes.end()) codes.push_back(*code);
            std::free(list);
        }
        return codes;
    }

    // The state bits that Caps Lock and Num Lock add, in every combination, so a hot key works
    // whichever of them is on.
    std::vector<uint16_t> LockVariants() const {
        std::vector<uint16_t> variants{0, XCB_MOD_MASK_LOCK};
        if (numLockMask_ != 0 && numLockMask_ != XCB_MOD_MASK_LOCK) {
            variants.push_back(numLockMask_);
            variants.push_back(numLockMask_ | XCB_MOD_MASK_LOCK);
        }
        return variants;
    }

    // Num Lock is Mod2 on most servers, but the modifier map says for sure.
    uint16_t FindNumLockMask() const {
        const std::vector<xcb_keycode_t> numLock =
            symbols_ ? Keycodes(kNumLockKeysym) : std::vector<xcb_keycode_t>{};
        uint16_t mask = 0;
        auto* reply =
            xcb_get_modifier_mapping_reply(connection_, xcb_get_modifier_mapping(connection_), nullptr);
        if (!reply) return XCB_MOD_MASK_2;
        const xcb_keycode_t* codes = xcb_get_modifier_mapping_keycodes(reply);
        const int perModifier = reply->keycodes_per_modifier;
        for (int modifier = 0; modifier < 8; ++modifier)
            for (int k = 0; k < perModifier; ++k)
                if (std::find(numLock.begin(), numLock.end(), codes[modifier * perModifier + k]) !=
                    numLock.end())
                    mask |= uint16_t(1u << modifier);
        std::free(reply);
        return mask;
    }

    bool HeldByUs(const Entry& wanted) const {
        for (const auto& [id, entry] : entries_) {
            if (entry.xmods != wanted.xmods) continue;
            for (xcb_keycode_t code : wanted.keycodes)
                if (std::find(entry.keycodes.begin(), entry.keycodes.end(), code) != entry.keycodes.end())
                    return true;
        }
        return false;
    }

    void Ungrab(const std::vector<Grab>& grabs) {
        for (const Grab& g : grabs) xcb_ungrab_key(connection_, g.keycode, g.root, g.mods);
    }

    xcb_connection_t* connection_;
    xcb_key_symbols_t* symbols_;
    std::vector<xcb_window_t> roots_;
    uint16_t numLockMask_ = 0;
    std::map<int, Entry> entries_;
};

} // namespace

std::unique_ptr<IHotKeyService> CreateX11HotKeyService() {
    auto* app = qobject_cast<QGuiApplication*>(QCoreApplication::instance());
    if (!app) return nullptr;
    auto* x11 = app->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->connection()) return nullptr;
    return std::make_unique<X11HotKeyService>(x11->connection());
}

} // namespace platform
