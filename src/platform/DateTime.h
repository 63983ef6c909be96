#pragma once
// TDateTime: days since 30 December 1899 as a double, the fraction being the time of day.
#include <ctime>

namespace platform {

using TDateTime = double;

// Days between 30 December 1899 and 1 January 1970.
inline constexpr TDateTime kUnixEpochDays = 25569.0;

// The current local date and time.
TDateTime Now();

// A moment given as seconds since 1970 (UTC) expressed in local time.
TDateTime LocalDateTimeFromUnix(std::time_t seconds, int milliseconds = 0);

} // namespace platform
