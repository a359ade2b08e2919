// "-T FOLDER" and "-U" run from the command line, without a display.
#include <gtest/gtest.h>
#include <sys/stat.h>

#include "console/console_fixture.h"

namespace rondix::console_test {
namespace {

using ScreenshotCommandTest = ConsoleTest;

TEST_F(ScreenshotCommandTest, WritesBothPicturesOffScreen) {
  const std::string shots = File("shots");
  mkdir(shots.c_str(), 0700);
  const ProgramResult result = Run({"-T", shots});
  EXPECT_EQ(result.status, 0) << result.err;
  EXPECT_EQ(result.out, "");
  EXPECT_TRUE(Exists(shots + "/rondix1.jpg"));
  EXPECT_TRUE(Exists(shots + "/rondix1x.jpg"));
}

TEST_F(ScreenshotCommandTest, MissingFolderDoesNothing) {
  const ProgramResult result = Run({"-T", File("missing")});
  EXPECT_EQ(result.status, 1);
  EXPECT_EQ(result.out, "");
  EXPECT_EQ(result.err, "");
  EXPECT_FALSE(Exists(File("missing")));
}

TEST_F(ScreenshotCommandTest, UninstallPromptNeedsADisplay) {
  const ProgramResult result = Run({"-U"});
  EXPECT_EQ(result.status, 0);
  EXPECT_EQ(result.out, "");
  EXPECT_NE(result.err.find("no display"), std::string::npos) << result.err;
}

}  // namespace
}  // namespace rondix::console_test
