#include "platform/GetTickCount.h"

#include <atomic>
#include <time.h>

namespace platform {
namespace {

uint32_t MonotonicTicks() {
    timespec ts{};
    clock_gettime(CLOCK_MONOTONIC, &ts);
    const uint64_t ms =
        static_cast<uint64_t>(ts.tv_sec) * 1000u + static_cast<uint64_t>(ts.tv_nsec) / 1000000u;
    return static_cast<uint32_t>(ms);
}

std::atomic<TickSource> gSource{&MonotonicTicks};

} // namespace

uint32_t GetTickCount() {
    return gSource.load(std::memory_order_relaxed)();
}

void SetTickSource(TickSource source) {
    gSource.store(source ? source : &MonotonicTicks);
}

} // namespace platform
