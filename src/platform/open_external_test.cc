#include "platform/open_external.h"

#include <sys/stat.h>
#include <unistd.h>

#include <chrono>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <string>
#include <thread>

#include <gtest/gtest.h>

#include "platform/clock.h"

namespace rondix {
namespace {

class OpenExternalTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/rondix-open-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
  }
  void TearDown() override { std::filesystem::remove_all(dir_); }

  // An opener that records its argument in `log`.
  std::string RecordingOpener(const std::string& log) {
    std::string path = dir_ + "/opener";
    std::ofstream(path) << "#!/bin/sh\nprintf '%s' \"$1\" > '" << log << ".tmp'\nmv '" << log
                        << ".tmp' '" << log << "'\n";
    chmod(path.c_str(), 0755);
    return path;
  }

  static std::string WaitForFile(const std::string& path) {
    for (int i = 0; i < 100 && !std::filesystem::exists(path); ++i) {
      std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    std::ifstream in(path);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
  }

  std::string dir_;
};

TEST_F(OpenExternalTest, PassesTheTargetAsOneArgument) {
  std::string log = dir_ + "/log";
  std::string opener = RecordingOpener(log);
  const std::string target = "mailto:someone@example.com?subject=a b; $(true)";
  EXPECT_TRUE(OpenExternalWith(opener, target));
  EXPECT_EQ(WaitForFile(log), target);
}

TEST_F(OpenExternalTest, DoesNotWaitForTheOpener) {
  int64_t start = MonotonicMillis();
  EXPECT_TRUE(OpenExternalWith("sleep", "3"));
  EXPECT_LT(MonotonicMillis() - start, 1500);
}

TEST_F(OpenExternalTest, FailsWhenNothingCanBeStarted) {
  EXPECT_FALSE(OpenExternalWith(dir_ + "/no-such-opener", "https://example.com/"));
  EXPECT_FALSE(OpenExternalWith("no-such-opener-xyz", "https://example.com/"));
  EXPECT_FALSE(OpenExternalWith("sleep", ""));
  EXPECT_FALSE(OpenExternal(""));
}

}  // namespace
}  // namespace rondix
