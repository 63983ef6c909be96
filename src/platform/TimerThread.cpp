#include "platform/TimerThread.h"

namespace platform {

ThreadTimerService::~ThreadTimerService() {
    Shutdown();
}

UINT ThreadTimerService::NextId() {
    // Ids count up and skip 0 and ids still in use, so a killed id is not handed out again
    // before the counter wraps.
    do {
        ++lastId_;
    } while (lastId_ == 0 || timers_.count(lastId_) != 0 || lastId_ == runningId_);
    return lastId_;
}

UINT ThreadTimerService::SetEvent(UINT delay, UINT, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) {
    if (!IsValidTimerRequest(delay, callback, flags)) return 0;
    std::lock_guard lock(mutex_);
    if (stopping_) return 0;
    if (!worker_.joinable()) {
        worker_ = std::thread([this] { Run(); });
        workerId_ = worker_.get_id();
    }
    const UINT id = NextId();
    const std::chrono::milliseconds period(delay);
    timers_.emplace(id, Timer{callback, user, period, (flags & TIME_PERIODIC) != 0, Clock::now() + period});
    wake_.notify_one();
    return id;
}

MMRESULT ThreadTimerService::KillEvent(UINT id) {
    // No timer ever has id 0 (and "no tick running" is 0 too, which the wait below would
    // take for a tick of it).
    if (id == 0) return MMSYSERR_INVALPARAM;
    std::unique_lock lock(mutex_);
    const bool existed = timers_.erase(id) != 0;
    // A tick of id may be running on the worker right now (also a one-shot tick, already
    // removed). Wait for it, unless this call comes from that very thread: then the
    // callback in flight is the caller itself.
    if (std::this_thread::get_id() != workerId_) tickDone_.wait(lock, [&] { return runningId_ != id; });
    return existed ? TIMERR_NOERROR : MMSYSERR_INVALPARAM;
}

bool ThreadTimerService::IsActive(UINT id) const {
    std::lock_guard lock(mutex_);
    return timers_.count(id) != 0;
}

void ThreadTimerService::Shutdown() {
    {
        std::lock_guard lock(mutex_);
        stopping_ = true;
        wake_.notify_one();
    }
    if (!worker_.joinable()) return;
    // The process may end from inside a callback; a thread cannot join itself.
    if (std::this_thread::get_id() == worker_.get_id())
        worker_.detach();
    else
        worker_.join();
}

void ThreadTimerService::Run() {
    std::unique_lock lock(mutex_);
    while (!stopping_) {
        auto next = timers_.end();
        for (auto it = timers_.begin(); it != timers_.end(); ++it)
            if (next == timers_.end() || it->second.due < next->second.due) next = it;
        if (next == timers_.end()) {
            wake_.wait(lock);
            continue;
        }
        const auto now = Clock::now();
        if (now < next->second.due) {
            // A copy: the timer may be killed, and its entry freed, while this waits.
            const Clock::time_point due = next->second.due;
            wake_.wait_until(lock, due);
            continue; // timers may have changed meanwhile
        }
        const UINT id = next->first;
        const Timer timer = next->second;
        if (timer.periodic) {
            // Keep the period's rhythm; after a stall (suspend, a slow callback) skip the
            // missed ticks rather than firing them in a burst.
            auto due = timer.due + timer.period;
            next->second.due = due > now ? due : now + timer.period;
        } else {
            timers_.erase(next);
        }
        runningId_ = id;
        lock.unlock();
        try {
            timer.callback(id, 0, timer.user, 0, 0);
        } catch (...) {
            // A failing tick must not take the service and every other timer down with it.
        }
        lock.lock();
        runningId_ = 0;
        tickDone_.notify_all();
    }
}

} // namespace platform
