// Last-modification times of files, in the program's date unit: seconds since
// 1970-01-01 00:00:00 counted in local time. Access times are never changed.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

namespace rondix {

// The file's last-modification time as local seconds; nothing when it cannot be read.
std::optional<int64_t> FileModifiedTime(const std::string& path);

// Sets the last-modification time to `localSeconds` (whole seconds) and leaves the access
// time as it is. False when the file cannot be changed.
bool SetFileModifiedTime(const std::string& path, int64_t localSeconds);

// Gives `to` the last-modification time of `from`, to the second. Goes through UTC, so an
// hour that occurs twice when daylight saving ends cannot shift the copy.
bool CopyFileModifiedTime(const std::string& from, const std::string& to);

}  // namespace rondix
