#pragma once
// The millisecond tick counter: milliseconds of the monotonic clock as an unsigned 32-bit
// value, so it wraps after about 49.7 days exactly like the Windows counter.
#include <cstdint>

namespace platform {

using TickSource = uint32_t (*)();

uint32_t GetTickCount();

// Tests drive time with a source of their own; nullptr restores the monotonic clock.
void SetTickSource(TickSource source);

} // namespace platform
