#include "platform/clock.h"

#include <chrono>

namespace rondix {

int64_t MonotonicMillis() {
  using namespace std::chrono;
  return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

int64_t UtcToLocalSeconds(std::time_t utc) {
  std::tm local{};
  localtime_r(&utc, &local);
  return static_cast<int64_t>(timegm(&local));
}

std::time_t LocalSecondsToUtc(int64_t local) {
  std::time_t t = static_cast<std::time_t>(local);
  std::tm parts{};
  gmtime_r(&t, &parts);
  parts.tm_isdst = -1;  // let the C library decide daylight saving for that date
  return mktime(&parts);
}

int32_t LocalNowSeconds() { return static_cast<int32_t>(UtcToLocalSeconds(std::time(nullptr))); }

}  // namespace rondix
