#pragma once
// Key combinations: the 16-bit value the program keeps (Windows virtual-key code in bits 0
// to 12, 0x2000 Shift, 0x4000 Ctrl, 0x8000 Alt, 0 for none) and its text form "Ctrl+Alt+Z".
// Shared by the options, the settings dialog's hot key fields and the hot key service.
#include <cstdint>
#include <string>
#include <string_view>

using TShortCut = uint16_t;

inline constexpr TShortCut scShift = 0x2000;
inline constexpr TShortCut scCtrl = 0x4000;
inline constexpr TShortCut scAlt = 0x8000;
inline constexpr TShortCut scKeyMask = 0x1FFF;

// The name of one virtual-key code ("Z", "F5", "PgUp", "Num 0", ...), empty when the key has
// none. Every name is unique regardless of letter case, so the text form can be read back.
std::string_view KeyCodeName(uint16_t key);

// "Shift+", "Ctrl+", "Alt+" in this order, then the key name; the empty text when the key has
// no name (0 included).
std::string ShortCutToText(TShortCut shortCut);

// The exact inverse of ShortCutToText, ignoring letter case; text naming no combination
// (wrong modifier order, blanks, unknown key) gives 0.
TShortCut TextToShortCut(std::string_view text);
