#include "platform/ManualTimer.h"

namespace platform {

UINT ManualTimerService::SetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
    if (!IsValidTimerRequest(delay, callback, flags)) return 0;
    do {
        ++lastId_;
    } while (lastId_ == 0 || timers_.count(lastId_) != 0);
    timers_.emplace(lastId_, Timer{callback, user, delay, (flags & TIME_PERIODIC) != 0, now_ + delay});
    return lastId_;
}

MMRESULT ManualTimerService::KillEvent(UINT id) {
    return timers_.erase(id) != 0 ? TIMERR_NOERROR : MMSYSERR_INVALPARAM;
}

bool ManualTimerService::IsActive(UINT id) const {
    return timers_.count(id) != 0;
}

UINT ManualTimerService::DelayOf(UINT id) const {
    const auto it = timers_.find(id);
    return it == timers_.end() ? 0 : it->second.delay;
}

uint64_t ManualTimerService::DueOf(UINT id) const {
    const auto it = timers_.find(id);
    return it == timers_.end() ? 0 : it->second.due;
}

void ManualTimerService::Tick(std::map<UINT, Timer>::iterator it) {
    const UINT id = it->first;
    const Timer timer = it->second;
    if (timer.periodic)
        it->second.due += timer.delay;
    else
        timers_.erase(it);
    timer.callback(id, 0, timer.user, 0, 0);
}

void ManualTimerService::Advance(uint64_t ms) {
    const uint64_t target = now_ + ms;
    for (;;) {
        // Search afresh after every tick: a callback may have started or killed timers.
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (it->second.due <= target && (next == timers_.end() || it->second.due < next->second.due))
                next = it;
        if (next == timers_.end()) break;
        now_ = next->second.due;
        Tick(next);
    }
    now_ = target;
}

bool ManualTimerService::Fire(UINT id) {
    const auto it = timers_.find(id);
    if (it == timers_.end()) return false;
    const Timer timer = it->second;
    if (!timer.periodic) timers_.erase(it);
    timer.callback(id, 0, timer.user, 0, 0);
    return true;
}

} // namespace platform
