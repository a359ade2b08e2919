#include "platform/file_time.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdlib>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <gtest/gtest.h>

namespace rondix {
namespace {

// Seconds for a calendar date read as if it were UTC: the program's local-seconds unit.
int64_t Calendar(int y, int mo, int d, int h, int mi, int s) {
  std::tm t{};
  t.tm_year = y - 1900;
  t.tm_mon = mo - 1;
  t.tm_mday = d;
  t.tm_hour = h;
  t.tm_min = mi;
  t.tm_sec = s;
  return static_cast<int64_t>(timegm(&t));
}

// Central European time with daylight saving, written as a rule so no zone data is needed.
class FileTimeTest : public ::testing::Test {
 protected:
  void SetUp() override {
    const char* tz = std::getenv("TZ");
    if (tz != nullptr) savedTz_ = tz;
    setenv("TZ", "CET-1CEST,M3.5.0,M10.5.0/3", 1);
    tzset();
    char pattern[] = "/tmp/rondix-time-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    file_ = dir_ + "/a.png";
    other_ = dir_ + "/b.png";
    std::ofstream(file_) << "x";
    std::ofstream(other_) << "y";
  }
  void TearDown() override {
    if (savedTz_) setenv("TZ", savedTz_->c_str(), 1);
    else unsetenv("TZ");
    tzset();
    std::filesystem::remove_all(dir_);
  }

  static void SetBoth(const std::string& path, std::time_t atime, timespec mtime) {
    timespec times[2] = {{atime, 0}, mtime};
    ASSERT_EQ(utimensat(AT_FDCWD, path.c_str(), times, 0), 0);
  }
  static struct stat Stat(const std::string& path) {
    struct stat st {};
    stat(path.c_str(), &st);
    return st;
  }

  std::optional<std::string> savedTz_;
  std::string dir_, file_, other_;
};

TEST_F(FileTimeTest, SetAndReadLocalSecondsRoundTripAndKeepAccessTime) {
  struct Case {
    int64_t local;
    int64_t utcOffset;  // seconds local time is ahead of UTC on that date
  } cases[] = {
      {Calendar(2021, 7, 1, 12, 0, 0), 7200},   // summer time
      {Calendar(2021, 1, 15, 8, 30, 5), 3600},  // winter time
      {Calendar(1999, 12, 31, 23, 59, 59), 3600},
      {Calendar(2037, 6, 1, 0, 0, 1), 7200},
  };
  constexpr std::time_t kAccess = 1000000000;
  for (const Case& c : cases) {
    SetBoth(file_, kAccess, {123, 456789});
    ASSERT_TRUE(SetFileModifiedTime(file_, c.local));
    struct stat st = Stat(file_);
    EXPECT_EQ(st.st_mtim.tv_sec, c.local - c.utcOffset) << c.local;
    EXPECT_EQ(st.st_mtim.tv_nsec, 0);
    EXPECT_EQ(st.st_atim.tv_sec, kAccess);
    EXPECT_EQ(FileModifiedTime(file_), c.local);
  }
}

TEST_F(FileTimeTest, MissingFileFails) {
  EXPECT_FALSE(FileModifiedTime(dir_ + "/missing").has_value());
  EXPECT_FALSE(SetFileModifiedTime(dir_ + "/missing", Calendar(2020, 1, 1, 0, 0, 0)));
  EXPECT_FALSE(CopyFileModifiedTime(dir_ + "/missing", file_));
  EXPECT_FALSE(FileModifiedTime("").has_value());
}

TEST_F(FileTimeTest, CopyMatchesToTheSecondEvenInTheRepeatedHour) {
  // 2021-10-31 02:30 local time happens twice: 00:30 and 01:30 UTC.
  const std::time_t firstPass = Calendar(2021, 10, 31, 0, 30, 0);
  const std::time_t secondPass = Calendar(2021, 10, 31, 1, 30, 0);
  for (std::time_t source : {firstPass, secondPass, std::time_t{1600000000}}) {
    SetBoth(file_, 5, {source, 750000000});
    SetBoth(other_, 7, {1, 0});
    ASSERT_TRUE(CopyFileModifiedTime(file_, other_));
    struct stat st = Stat(other_);
    EXPECT_EQ(st.st_mtim.tv_sec, source);
    EXPECT_EQ(st.st_atim.tv_sec, 7);
    EXPECT_EQ(FileModifiedTime(other_), FileModifiedTime(file_));
  }
}

}  // namespace
}  // namespace rondix
