#include "platform/VirtualKeys.h"

namespace platform {
namespace {

// The keysym values of X11/keysymdef.h, spelled out so the table needs no X header.
struct NamedKey {
    unsigned vk;
    uint32_t keysym;
};

constexpr NamedKey kNamedKeys[] = {
    {0x08, 0xff08}, // VK_BACK      BackSpace
    {0x09, 0xff09}, // VK_TAB       Tab
    {0x0C, 0xff0b}, // VK_CLEAR     Clear
    {0x0D, 0xff0d}, // VK_RETURN    Return
    {0x13, 0xff13}, // VK_PAUSE     Pause
    {0x1B, 0xff1b}, // VK_ESCAPE    Escape
    {0x20, 0x0020}, // VK_SPACE     space
    {0x21, 0xff55}, // VK_PRIOR     Prior (Page Up)
    {0x22, 0xff56}, // VK_NEXT      Next (Page Down)
    {0x23, 0xff57}, // VK_END       End
    {0x24, 0xff50}, // VK_HOME      Home
    {0x25, 0xff51}, // VK_LEFT      Left
    {0x26, 0xff52}, // VK_UP        Up
    {0x27, 0xff53}, // VK_RIGHT     Right
    {0x28, 0xff54}, // VK_DOWN      Down
    {0x2C, 0xff61}, // VK_SNAPSHOT  Print
    {0x2D, 0xff63}, // VK_INSERT    Insert
    {0x2E, 0xffff}, // VK_DELETE    Delete
    {0x5D, 0xff67}, // VK_APPS      Menu
    {0x6A, 0xffaa}, // VK_MULTIPLY  KP_Multiply
    {0x6B, 0xffab}, // VK_ADD       KP_Add
    {0x6C, 0xffac}, // VK_SEPARATOR KP_Separator
    {0x6D, 0xffad}, // VK_SUBTRACT  KP_Subtract
    {0x6E, 0xffae}, // VK_DECIMAL   KP_Decimal
    {0x6F, 0xffaf}, // VK_DIVIDE    KP_Divide
    {0x91, 0xff14}, // VK_SCROLL    Scroll_Lock
    {0xBA, 0x003b}, // VK_OEM_1     semicolon
    {0xBB, 0x003d}, // VK_OEM_PLUS  equal
    {0xBC, 0x002c}, // VK_OEM_COMMA comma
    {0xBD, 0x002d}, // VK_OEM_MINUS minus
    {0xBE, 0x002e}, // VK_OEM_PERIOD period
    {0xBF, 0x002f}, // VK_OEM_2     slash
    {0xC0, 0x0060}, // VK_OEM_3     grave
    {0xDB, 0x005b}, // VK_OEM_4     bracketleft
    {0xDC, 0x005c}, // VK_OEM_5     backslash
    {0xDD, 0x005d}, // VK_OEM_6     bracketright
    {0xDE, 0x0027}, // VK_OEM_7     apostrophe
};

} // namespace

uint32_t VirtualKeyToKeysym(unsigned vk) {
    if (vk >= 'A' && vk <= 'Z') return vk - 'A' + 'a';
    if (vk >= '0' && vk <= '9') return vk;
    if (vk >= 0x60 && vk <= 0x69) return 0xffb0 + (vk - 0x60); // VK_NUMPAD0.. -> KP_0..
    if (vk >= 0x70 && vk <= 0x87) return 0xffbe + (vk - 0x70); // VK_F1..VK_F24 -> F1..F24
    for (const NamedKey& key : kNamedKeys)
        if (key.vk == vk) return key.keysym;
    return 0;
}

} // namespace platform
