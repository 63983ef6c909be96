#include "platform/MMSystem.h"

#include "platform/TimerThread.h"

#include <atomic>

namespace platform {
namespace {

ThreadTimerService& ProcessService() {
    // Never destroyed: code that runs during static destruction may still kill its timers.
    // The worker thread itself is stopped cleanly at exit.
    static ThreadTimerService* service = new ThreadTimerService;
    static struct StopAtExit {
        ~StopAtExit() { service->Shutdown(); }
    } stopAtExit;
    return *service;
}

std::atomic<ITimerService*> gInstalled{nullptr};

} // namespace

bool IsValidTimerRequest(UINT delay, LPTIMECALLBACK callback, UINT flags) {
    // kTimerPeriodMax is the whole range of UINT, so only the bottom needs a test.
    return callback != nullptr && delay >= kTimerPeriodMin &&
           (flags & ~(TIME_PERIODIC | TIME_KILL_SYNCHRONOUS)) == 0;
}

ITimerService& CurrentTimerService() {
    ITimerService* installed = gInstalled.load();
    return installed ? *installed : ProcessService();
}

void SetTimerService(ITimerService* service) {
    gInstalled.store(service);
}

UINT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser, UINT fuEvent) {
    return CurrentTimerService().SetEvent(uDelay, uResolution, fptc, dwUser, fuEvent);
}

MMRESULT timeKillEvent(UINT uTimerID) {
    return CurrentTimerService().KillEvent(uTimerID);
}

MMRESULT timeGetDevCaps(TIMECAPS* ptc, UINT cbtc) {
    if (ptc == nullptr || cbtc != sizeof(TIMECAPS)) return TIMERR_NOCANDO;
    ptc->wPeriodMin = kTimerPeriodMin;
    ptc->wPeriodMax = kTimerPeriodMax;
    return TIMERR_NOERROR;
}

bool IsTimerActive(UINT uTimerID) {
    return CurrentTimerService().IsActive(uTimerID);
}

} // namespace platform
