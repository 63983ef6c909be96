#include "options/ShortCut.h"

#include "options/TextCase.h"

#include <array>
#include <string>
#include <unordered_map>

namespace {

std::string Lowered(std::string_view text) {
    std::string out(text);
    for (char& c : out) c = AsciiLower(c);
    return out;
}

// Key names for the codes below 0x100; Windows has no virtual-key codes above that.
class KeyNames {
public:
    KeyNames() {
        auto set = [this](unsigned key, std::string name) { names_[key] = std::move(name); };
        set(0x03, "Break");
        set(0x08, "BkSp");
        set(0x09, "Tab");
        set(0x0C, "Clear");
        set(0x0D, "Enter");
        set(0x13, "Pause");
        set(0x14, "Caps Lock");
        set(0x1B, "Esc");
        const char* const navigation[] = {"Space", "PgUp", "PgDn",  "End", "Home",
                                          "Left",  "Up",   "Right", "Down"};
        for (unsigned i = 0; i < 9; ++i) set(0x20 + i, navigation[i]);
        set(0x29, "Select");
        set(0x2A, "Print");
        set(0x2B, "Execute");
        set(0x2C, "Print Screen");
        set(0x2D, "Ins");
        set(0x2E, "Del");
        set(0x2F, "Help");
        for (unsigned i = 0; i < 10; ++i) set(0x30 + i, std::string(1, static_cast<char>('0' + i)));
        for (unsigned i = 0; i < 26; ++i) set(0x41 + i, std::string(1, static_cast<char>('A' + i)));
        set(0x5B, "Left Win");
        set(0x5C, "Right Win");
        set(0x5D, "Application");
        set(0x5F, "Sleep");
        // The keypad digits get names of their own so that a keypad hot key survives a
        // save and load instead of turning into the digit of the main row.
        for (unsigned i = 0; i < 10; ++i) set(0x60 + i, "Num " + std::to_string(i));
        set(0x6A, "Num *");
        set(0x6B, "Num +");
        set(0x6C, "Num Separator");
        set(0x6D, "Num -");
        set(0x6E, "Num Del");
        set(0x6F, "Num /");
        for (unsigned i = 0; i < 24; ++i) set(0x70 + i, "F" + std::to_string(i + 1));
        set(0x90, "Num Lock");
        set(0x91, "Scroll Lock");
        const char* const media[] = {"Browser Back", "Browser Forward",     "Browser Refresh",
                                     "Browser Stop", "Browser Search",      "Browser Favorites",
                                     "Browser Home", "Volume Mute",         "Volume Down",
                                     "Volume Up",    "Next Track",          "Previous Track",
                                     "Stop Media",   "Play/Pause Media",    "Start Mail",
                                     "Select Media", "Start Application 1", "Start Application 2"};
        for (unsigned i = 0; i < 18; ++i) set(0xA6 + i, media[i]);
        set(0xBA, ";");
        set(0xBB, "=");
        set(0xBC, ",");
        set(0xBD, "-");
        set(0xBE, ".");
        set(0xBF, "/");
        set(0xC0, "`");
        set(0xDB, "[");
        set(0xDC, "\\");
        set(0xDD, "]");
        set(0xDE, "'");
        set(0xE2, "OEM 102");
        set(0xF6, "Attn");
        set(0xFA, "Play");
        set(0xFB, "Zoom");
        for (unsigned key = 0; key < names_.size(); ++key)
            if (!names_[key].empty()) byName_.emplace(Lowered(names_[key]), static_cast<uint16_t>(key));
    }

    std::string_view Name(uint16_t key) const {
        return key < names_.size() ? names_[key] : std::string_view();
    }

    TShortCut Find(std::string_view lowered) const {
        auto it = byName_.find(std::string(lowered));
        return it == byName_.end() ? 0 : it->second;
    }

private:
    std::array<std::string, 0x100> names_;
    std::unordered_map<std::string, uint16_t> byName_;
};

const KeyNames& Names() {
    static const KeyNames names;
    return names;
}

} // namespace

std::string_view KeyCodeName(uint16_t key) {
    return Names().Name(key);
}

std::string ShortCutToText(TShortCut shortCut) {
    const std::string_view name = Names().Name(shortCut & scKeyMask);
    if (name.empty()) return {};
    std::string text;
    if (shortCut & scShift) text += "Shift+";
    if (shortCut & scCtrl) text += "Ctrl+";
    if (shortCut & scAlt) text += "Alt+";
    text += name;
    return text;
}

TShortCut TextToShortCut(std::string_view text) {
    // No key name begins with a modifier prefix, so taking the prefixes off in their fixed
    // order finds exactly the combination whose text this is.
    std::string rest = Lowered(text);
    std::string_view view = rest;
    TShortCut modifiers = 0;
    const std::pair<std::string_view, TShortCut> prefixes[] = {
        {"shift+", scShift}, {"ctrl+", scCtrl}, {"alt+", scAlt}};
    for (const auto& [prefix, bit] : prefixes) {
        if (view.starts_with(prefix) && view.size() > prefix.size()) {
            view.remove_prefix(prefix.size());
            modifiers |= bit;
        }
    }
    const TShortCut key = Names().Find(view);
    return key == 0 ? 0 : static_cast<TShortCut>(key | modifiers);
}
