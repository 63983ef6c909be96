#pragma once
// The multimedia timer service: periodic (and one-shot) timers whose callbacks all run on
// one worker thread of the service. Same shape as the Windows calls the program is written
// against; ids are non-zero, 0 means the request was refused.
#include <cstdint>

namespace platform {

using UINT = uint32_t;
using MMRESULT = uint32_t;
using DWORD_PTR = uintptr_t;
using LPTIMECALLBACK = void (*)(UINT uTimerID, UINT uMsg, DWORD_PTR dwUser, DWORD_PTR dw1, DWORD_PTR dw2);

struct TIMECAPS {
    UINT wPeriodMin;
    UINT wPeriodMax;
};

constexpr MMRESULT TIMERR_NOERROR = 0;
constexpr MMRESULT MMSYSERR_INVALPARAM = 11;
constexpr MMRESULT TIMERR_BASE = 96;
constexpr MMRESULT TIMERR_NOCANDO = TIMERR_BASE + 1;

constexpr UINT TIME_ONESHOT = 0x0000;
constexpr UINT TIME_PERIODIC = 0x0001;
constexpr UINT TIME_CALLBACK_FUNCTION = 0x0000;
// Killing is always synchronous here; the flag is accepted for the same shape.
constexpr UINT TIME_KILL_SYNCHRONOUS = 0x0100;

// The periods the service accepts, in milliseconds. The top is the whole 32-bit range: the
// pulse period may be set to 30 minutes or more, which a 1000-second ceiling would refuse.
constexpr UINT kTimerPeriodMin = 1;
constexpr UINT kTimerPeriodMax = 0xFFFFFFFFu;

class ITimerService {
public:
    virtual ~ITimerService() = default;
    // Returns the new timer's id, or 0 when the request is refused (no callback, a delay outside
    // the supported periods, a flag other than TIME_PERIODIC / TIME_KILL_SYNCHRONOUS).
    virtual UINT SetEvent(UINT delay, UINT resolution, LPTIMECALLBACK callback, DWORD_PTR user,
                          UINT flags) = 0;
    // After it returns, no callback of id runs any more; a tick in flight on another thread has
    // finished by then. May be called from inside a callback.
    virtual MMRESULT KillEvent(UINT id) = 0;
    // Whether id names a timer that still runs: not killed, and for a one-shot timer not fired yet.
    virtual bool IsActive(UINT id) const = 0;
};

// True when a request of this shape is one the services accept.
bool IsValidTimerRequest(UINT delay, LPTIMECALLBACK callback, UINT flags);

UINT timeSetEvent(UINT uDelay, UINT uResolution, LPTIMECALLBACK fptc, DWORD_PTR dwUser, UINT fuEvent);
MMRESULT timeKillEvent(UINT uTimerID);
// cbtc must be sizeof(TIMECAPS); otherwise TIMERR_NOCANDO.
MMRESULT timeGetDevCaps(TIMECAPS* ptc, UINT cbtc);
bool IsTimerActive(UINT uTimerID);

// The service the calls above go to; tests install a manual one. nullptr restores the
// process-wide worker-thread service.
ITimerService& CurrentTimerService();
void SetTimerService(ITimerService* service);

} // namespace platform
