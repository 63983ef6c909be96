#pragma once
// The real timer service: every timer of one service shares a single worker thread that
// sleeps on a condition variable until the earliest tick is due (steady clock).
#include "platform/MMSystem.h"

#include <chrono>
#include <condition_variable>
#include <map>
#include <mutex>
#include <thread>

namespace platform {

class ThreadTimerService final : public ITimerService {
public:
    ThreadTimerService() = default;
    ~ThreadTimerService() override; // as Shutdown
    ThreadTimerService(const ThreadTimerService&) = delete;
    ThreadTimerService& operator=(const ThreadTimerService&) = delete;

    UINT SetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user, UINT flags) override;
    MMRESULT KillEvent(UINT id) override;
    bool IsActive(UINT id) const override;

    // Ends the worker thread once a callback in flight has returned. Later requests are
    // refused; kills still answer.
    void Shutdown();

private:
    using Clock = std::chrono::steady_clock;
    struct Timer {
        LPTIMECALLBACK callback;
        DWORD_PTR user;
        std::chrono::milliseconds period;
        bool periodic;
        Clock::time_point due;
    };

    void Run();
    UINT NextId();

    mutable std::mutex mutex_;
    std::condition_variable wake_;     // a timer was added or the service stops
    std::condition_variable tickDone_; // the callback in flight has returned
    std::map<UINT, Timer> timers_;
    UINT lastId_ = 0;
    UINT runningId_ = 0; // id whose callback runs right now, 0 for none
    bool stopping_ = false;
    std::thread worker_;
    std::thread::id workerId_;
};

} // namespace platform
