#pragma once
// A timer service for tests: time is virtual and ticks fire only when the test moves it on,
// on the test's own thread, so pulse and fade timing can be checked without waiting.
#include "platform/MMSystem.h"

#include <cstddef>
#include <cstdint>
#include <map>

namespace platform {

class ManualTimerService final : public ITimerService {
public:
    UINT SetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) override;
    MMRESULT KillEvent(UINT id) override;
    bool IsActive(UINT id) const override;

    // Moves virtual time on by ms, firing every tick that falls due on the way in time order
    // (timers started or killed by a callback take part from that moment).
    void Advance(uint64_t ms);
    // Fires one tick of id at once, as if it were due; false when id does not run. A
    // periodic timer keeps its schedule.
    bool Fire(UINT id);

    uint64_t Now() const { return now_; }
    size_t ActiveCount() const { return timers_.size(); }
    // The delay id was started with; 0 when id does not run.
    UINT DelayOf(UINT id) const;
    // Virtual time of id's next tick; 0 when id does not run.
    uint64_t DueOf(UINT id) const;

private:
    struct Timer {
        LPTIMECALLBACK callback;
        DWORD_PTR user;
        UINT delay;
        bool periodic;
        uint64_t due;
    };
    // Runs one tick; a one-shot timer ends before its callback runs.
    void Tick(std::map<UINT, Timer>::iterator it);

    std::map<UINT, Timer> timers_;
    UINT lastId_ = 0;
    uint64_t now_ = 0;
};

} // namespace platform
