#pragma once
// Windows virtual-key codes, as hot key settings store them, turned into X key symbols.
#include <cstdint>

namespace platform {

// The X keysym of a virtual-key code; 0 for a code with no equivalent (mouse buttons,
// modifier keys on their own, unknown codes). Letters give the lower-case keysym, which
// names the same key as the upper-case one.
uint32_t VirtualKeyToKeysym(unsigned vk);

} // namespace platform
