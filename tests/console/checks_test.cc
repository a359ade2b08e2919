// The checks of a console run: each failure prints its one line and converts nothing.
#include <filesystem>

#include "console/console_fixture.h"

namespace rondix::console_test {
namespace {

using ChecksTest = ConsoleTest;

TEST_F(ChecksTest, EachFailedCheckPrintsItsLine) {
  WritePicture("a.tga");
  WriteText("noext", "data");
  WriteText("empty.tga", "");
  WriteText("empty.png", "");
  std::filesystem::create_directories(File("dir.tga"));
  struct Case {
    std::vector<std::string> args;
    std::string line;
  } cases[] = {
      {{"-i", "noext"}, "Error: Invalid input file"},
      {{"-i", "missing.tga"}, "Error: Invalid input file"},
      {{"-i", "dir.tga"}, "Error: Invalid input file"},
      {{"-i", "empty.tga"}, "Error: Invalid input file"},
      {{"-i", "a.tga", "-o", "../elsewhere"}, "Error: Incorrect output folder"},
      {{"-i", "a.tga", "-o", "/nonexistent/folder"}, "Error: Invalid output folder"},
      {{"-i", "a.tga", "-o", File("a.tga")}, "Error: Invalid output folder"},
      {{"-i", "a.tga", "-c", "PNG"}, "Error: Invalid conversion type"},
      {{"-i", "a.tga", "-c", "jpg"}, "Error: Invalid conversion type"},
      {{"-i", "a.tga", "--conversion=bmp"}, "Error: Invalid conversion type"},
      {{"-i", "a.tga", "--png-bpp=16"}, "Error: Invalid png-bpp value"},
      {{"-i", "a.tga", "--png-bpp=$10"}, "Error: Invalid png-bpp value"},
      {{"-i", "a.tga", "--width=10"}, "Error: Invalid height value"},
      {{"-i", "a.tga", "--width=10", "--keep-aspect-ratio"}, "Error: Invalid height value"},
      {{"-i", "a.tga", "--height=10"}, "Error: Invalid width value"},
      {{"-i", "a.tga", "--brightness=101"}, "Error: Invalid brightness value"},
      {{"-i", "a.tga", "--brightness=-101"}, "Error: Invalid brightness value"},
      {{"-i", "a.tga", "--contrast=-101"}, "Error: Invalid contrast value"},
      {{"-i", "a.tga", "--gamma=0.001"}, "Error: Invalid gamma value"},
      {{"-i", "a.tga", "--gamma=10"}, "Error: Invalid gamma value"},
      {{"-i", "a.tga", "--gamma=+Infinity"}, "Error: Invalid gamma value"},
      {{"-i", "a.tga", "--gamma=NaN"}, "Error: Invalid gamma value"},
      {{"-i", "a.tga", "--gamma=abc"}, "Error: Invalid gamma value"},
      {{"-i", "a.tga", "--wm-text=hi", "--wm-font=No Such Family Qq"},
       "Error: Invalid watermark font"},
      {{"-i", "a.tga", "--wm-image=missing.png"}, "Error: Invalid watermark image"},
      {{"-i", "a.tga", "--wm-image=empty.png"}, "Error: Invalid watermark image"},
      // The first failing check wins.
      {{"-i", "a.tga", "--png-bpp=16", "--brightness=200"}, "Error: Invalid png-bpp value"},
  };
  for (const Case& c : cases) {
    ProgramResult r = Run(c.args);
    EXPECT_EQ(r.status, 1) << c.line << " " << c.args.back();
    EXPECT_EQ(r.Lines(), WithBanner({"Preparing...", c.line})) << c.args.back();
    EXPECT_FALSE(Exists(File("a.png"))) << c.args.back();
    // Quiet or not, the error line is printed.
    std::vector<std::string> quiet = c.args;
    quiet.push_back("-q");
    EXPECT_EQ(Run(quiet).Lines(), std::vector<std::string>{c.line}) << c.args.back();
  }
}

TEST_F(ChecksTest, ValuesAtTheLimitsPass) {
  WritePicture("a.tga");
  for (const auto& extra : std::vector<std::vector<std::string>>{
           {"--png-bpp=24"},
           {"--png-bpp=0"},
           {"--gamma=9.99"},
           {"--gamma=0.01"},
           {"--brightness=-100", "--contrast=100"},
           {"--jpg-quality=0", "--webp-quality=500"},  // formats not written are not checked
           {"-c", "png"},
           {"--width=3", "--height=2"}}) {
    std::filesystem::remove(File("a.png"));
    std::vector<std::string> args = {"-q", "-i", "a.tga"};
    args.insert(args.end(), extra.begin(), extra.end());
    ProgramResult r = Run(args);
    EXPECT_EQ(r.status, 0) << extra[0];
    EXPECT_EQ(r.out, "") << extra[0];
    EXPECT_TRUE(Exists(File("a.png"))) << extra[0];
  }
}

}  // namespace
}  // namespace rondix::console_test
