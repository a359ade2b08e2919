#include "platform/file_time.h"

#include <fcntl.h>
#include <sys/stat.h>

#include "platform/clock.h"

namespace rondix {
namespace {

std::optional<std::time_t> ModifiedUtc(const std::string& path) {
  struct stat st {};
  if (path.empty() || stat(path.c_str(), &st) != 0) return std::nullopt;
  return st.st_mtim.tv_sec;
}

bool SetModifiedUtc(const std::string& path, std::time_t utc) {
  if (path.empty()) return false;
  timespec times[2] = {};
  times[0].tv_nsec = UTIME_OMIT;  // access time stays
  times[1].tv_sec = utc;
  times[1].tv_nsec = 0;
  return utimensat(AT_FDCWD, path.c_str(), times, 0) == 0;
}

}  // namespace

std::optional<int64_t> FileModifiedTime(const std::string& path) {
  auto utc = ModifiedUtc(path);
  if (!utc) return std::nullopt;
  return UtcToLocalSeconds(*utc);
}

bool SetFileModifiedTime(const std::string& path, int64_t localSeconds) {
  return SetModifiedUtc(path, LocalSecondsToUtc(localSeconds));
}

bool CopyFileModifiedTime(const std::string& from, const std::string& to) {
  auto utc = ModifiedUtc(from);
  return utc && SetModifiedUtc(to, *utc);
}

}  // namespace rondix
