#include "platform/DateTime.h"

#include <time.h>

namespace platform {

TDateTime LocalDateTimeFromUnix(std::time_t seconds, int milliseconds) {
    tm local{};
    localtime_r(&seconds, &local);
    const double localSeconds = static_cast<double>(seconds) + static_cast<double>(local.tm_gmtoff);
    return kUnixEpochDays + (localSeconds + milliseconds / 1000.0) / 86400.0;
}

TDateTime Now() {
    timespec ts{};
    clock_gettime(CLOCK_REALTIME, &ts);
    return LocalDateTimeFromUnix(ts.tv_sec, static_cast<int>(ts.tv_nsec / 1000000));
}

} // namespace platform
