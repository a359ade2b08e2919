// Clocks: monotonic milliseconds for timing runs, and the local wall time as
// seconds since 1970-01-01 00:00:00 counted in local time (how dates are stored).
#pragma once
#include <cstdint>
#include <ctime>

namespace rondix {

// Milliseconds from an arbitrary fixed point; never goes backwards.
int64_t MonotonicMillis();

// Local date and time now, as seconds since 1970-01-01 00:00:00 local time.
int32_t LocalNowSeconds();

// Converts between UTC epoch seconds and local-time epoch seconds.
int64_t UtcToLocalSeconds(std::time_t utc);
std::time_t LocalSecondsToUtc(int64_t local);

}  // namespace rondix
