// First-parameter commands, option errors, the desktop path and the single-instance lock.
#include "console/console_fixture.h"

namespace rondix::console_test {
namespace {

const std::vector<std::string> kHelp = {
    " ",
    "Usage: rondix -i <filename> [options]",
    " ",
    "  rondix -i example.tga",
    "  rondix -i c:\\tmp\\example.tga",
    "  rondix -i c:\\tmp\\example.tga -o d:\\converted",
    "  rondix -i c:\\tmp\\example.tga -o d:\\converted --jpg-quality=95",
    " ",
    "Options:",
    " ",
    "  -h, -?, --help            Display this help and exit",
    "  -i FILE, --input=FILE     Set input file",
    "  -o PATH, --output=PATH    Set output folder",
    "  -c STR, --conversion=STR  Set output extension, STR = (jpg | bmp | ...)",
    " ",
    "Advanced options:",
    " ",
    "  --width=NUM               Set output image width",
    "  --height=NUM              Set output image height",
    "  --filename-mask=STR       Define output filename format",
    "  --flip-horizontal         Flip output image horizontally",
    "  --flip-vertical           Flip output image vertically",
    "  --brightness=NUM          Set output image brightness, NUM = -100..100",
    "  --contrast=NUM            Set output image contrast, NUM = -100..100",
    "  --gamma=NUM               Set output image gamma, NUM = 0.01..9.99",
    "  --invert                  Invert output image",
    "  --greyscale               Greyscale output image",
    "  --profile=FILE            Set configuration file with required settings",
    "    ...                     Refer documentation for all available options",
    " ",
    "Other options:",
    " ",
    "  -q, --quiet               Don't print status messages to stdout",
    "  -d, --debug               Print debug information to stdout",
    "  -p, --pause               Pause at exit",
    "  -v, --version             Display version information and exit",
};

using CommandsTest = ConsoleTest;

TEST_F(CommandsTest, HelpAndVersion) {
  struct Case {
    std::vector<std::string> args;
    std::vector<std::string> lines;
  } cases[] = {
      {{"-h"}, kHelp},          {{"-?"}, kHelp},         {{"--Help"}, kHelp},
      {{"-h", "-v"}, kHelp},    {{"-v"}, {"2.9"}},       {{"-V"}, {"2.9"}},
      {{"--Version"}, {"2.9"}}, {{"-v", "-i", "x.tga"}, {"2.9"}},
  };
  for (const Case& c : cases) {
    ProgramResult r = Run(c.args);
    EXPECT_EQ(r.status, 0) << c.args[0];
    EXPECT_EQ(r.Lines(), c.lines) << c.args[0];
    EXPECT_EQ(r.err, "") << c.args[0];
  }
}

TEST_F(CommandsTest, VersionLaterInTheLineIsIgnored) {
  WritePicture("a.tga");
  ProgramResult r = Run({"-i", "a.tga", "-v"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.Lines().back(), "Files converted: 1 of 1");
  EXPECT_TRUE(Exists(File("a.png")));
}

TEST_F(CommandsTest, OptionErrors) {
  struct Case {
    std::vector<std::string> args;
    std::string line;
  } cases[] = {
      {{"-i"}, "Error: Incorrect number of parameters"},
      {{"-i", "-q"}, "Error: Incorrect number of parameters"},
      {{"--input"}, "Error: Incorrect number of parameters"},
      {{"-q", "--input="}, "Error: Incorrect number of parameters"},  // quiet does not hide it
      {{"-i", "a.tga", "--brightness=--50"}, "Error: Incorrect number of parameters"},
      {{"-i", "a.tga", "-o"}, "Error: Incorrect number of parameters"},
      {{"-i", "a.tga", "--profile=missing.ini"}, "Error: Invalid profile file"},
      {{"--profile=missing.ini", "-o", "/tmp"}, "Error: Invalid profile file"},
  };
  for (const Case& c : cases) {
    ProgramResult r = Run(c.args);
    EXPECT_EQ(r.status, 2) << c.args[0];
    EXPECT_EQ(r.Lines(), std::vector<std::string>{c.line}) << c.args[0];
  }
}

TEST_F(CommandsTest, PauseAfterAnOptionError) {
  // -p before the failing option pauses (and the wait ends at end of input); "-i -p" does not
  // reach -p as an option. Either way nothing but the error line is printed.
  for (const auto& args : std::vector<std::vector<std::string>>{{"-p", "-i"}, {"-i", "-p"}}) {
    ProgramResult r = Run(args);
    EXPECT_EQ(r.status, 2);
    EXPECT_EQ(r.Lines(), std::vector<std::string>{"Error: Incorrect number of parameters"});
  }
}

TEST_F(CommandsTest, WithoutAnInputOptionTheDesktopWouldStart) {
  for (const auto& args : std::vector<std::vector<std::string>>{{}, {"-o", "/tmp"}, {"a.tga"}}) {
    ProgramResult r = Run(args);
    EXPECT_EQ(r.status, 0);
    EXPECT_EQ(r.out, "");
  }
}

TEST_F(CommandsTest, SecondInstanceIsRefused) {
  // The first instance holds the lock while it waits for a key after its error line.
  Program first({"-p", "-i"}, scratch_.path(), xdg_, /*holdInput=*/true);
  ASSERT_TRUE(first.WaitForOutput("Error: Incorrect number of parameters\n"));

  for (const auto& args : std::vector<std::vector<std::string>>{{"-v"}, {"-i", "a.tga"}, {}}) {
    ProgramResult second = Run(args);
    EXPECT_EQ(second.status, 3);
    EXPECT_EQ(second.out, "");
    EXPECT_EQ(second.err, "Pelloran TGA to PNG 2.9 is already running.\n");
  }

  // Another runtime folder is another lock.
  std::string otherXdg = File("other");
  mkdir(otherXdg.c_str(), 0700);
  EXPECT_EQ(RunProgram({"-v"}, scratch_.path(), otherXdg).status, 0);

  EXPECT_EQ(first.Finish().status, 2);
  EXPECT_EQ(Run({"-v"}).status, 0);  // released when the first one ended
}

}  // namespace
}  // namespace rondix::console_test
