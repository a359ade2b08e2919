#include "cli/front_end.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "cli/console_run.h"
#include "cli/help_text.h"

namespace rondix {
namespace {

// A console that records what the front end does with it.
struct Recorder {
  std::vector<std::string> events;  // printed lines; "<title>" and "<wait>" for the others
  ConsoleIo io{[this](const std::string& line) { events.push_back(line); },
               [this](const std::string&) { events.push_back("<title>"); },
               [this] { events.push_back("<wait>"); }};
};

struct Ran {
  FrontEndOutcome outcome;
  std::vector<std::string> events;
  SettingsStore settings;
  Project project;
};

Ran FrontEnd(const std::vector<std::string>& params) {
  Ran run;
  Recorder console;
  FrontEndContext ctx{run.settings, run.project, console.io, "rondix"};
  run.outcome = CommandLineFrontEnd(params, ctx);
  run.events = console.events;
  return run;
}

TEST(FrontEndTest, FirstParameterCommands) {
  for (const char* v : {"-v", "-V", "--Version", "--version=x"}) {
    Ran r = FrontEnd({v, "-i"});
    EXPECT_EQ(r.outcome.next, FrontEndNext::Exit) << v;
    EXPECT_EQ(r.outcome.exitStatus, 0) << v;
    EXPECT_EQ(r.events, (std::vector<std::string>{"<title>", "2.9"})) << v;
  }
  for (const char* h : {"-h", "-?", "--HELP"}) {
    Ran r = FrontEnd({h});
    ASSERT_EQ(r.events.size(), 37u) << h;  // title and 36 lines
    EXPECT_EQ(r.events[4], "  rondix -i example.tga");
    EXPECT_EQ(r.outcome.exitStatus, 0);
  }
  Ran u = FrontEnd({"-U"});
  EXPECT_EQ(u.outcome.next, FrontEndNext::UninstallPrompt);
  EXPECT_TRUE(u.events.empty());
  Ran t = FrontEnd({"-t", "/tmp/shots"});
  EXPECT_EQ(t.outcome.next, FrontEndNext::ScreenshotMode);
  EXPECT_EQ(t.outcome.screenshotFolder, "/tmp/shots");
  EXPECT_EQ(t.project.state.modeMarker, "T");
}

TEST(FrontEndTest, DesktopStartsWithoutAnInputOption) {
  for (const auto& params : std::vector<std::vector<std::string>>{
           {}, {"-o", "/tmp"}, {"--width=5", "photo.tga"}, {"-q"}}) {
    Ran r = FrontEnd(params);
    EXPECT_EQ(r.outcome.next, FrontEndNext::Desktop);
    EXPECT_TRUE(r.events.empty());
  }
}

TEST(FrontEndTest, OptionErrorAndPause) {
  struct Case {
    std::vector<std::string> params;
    std::vector<std::string> events;
  } cases[] = {
      {{"-i"}, {"<title>", "Error: Incorrect number of parameters"}},
      {{"-q", "-i"}, {"<title>", "Error: Incorrect number of parameters"}},
      // The pause flag was set before the failing option: wait, with nothing printed first.
      {{"-p", "-i"}, {"<title>", "Error: Incorrect number of parameters", "<wait>"}},
      // "-p" was taken as the missing value, so there is no pause.
      {{"-i", "-p"}, {"<title>", "Error: Incorrect number of parameters"}},
      {{"--profile=/nonexistent.ini", "-i", "a.tga"}, {"<title>", "Error: Invalid profile file"}},
  };
  for (const Case& c : cases) {
    Ran r = FrontEnd(c.params);
    EXPECT_EQ(r.events, c.events) << c.params[0];
    EXPECT_EQ(r.outcome.next, FrontEndNext::Exit);
    EXPECT_EQ(r.outcome.exitStatus, 2);
  }
}

TEST(FrontEndTest, ConsoleRunWithBannerAndPause) {
  Ran r = FrontEnd({"-i", "/nonexistent/a.tga", "-p"});
  EXPECT_EQ(r.outcome.exitStatus, 1);
  EXPECT_EQ(r.events, (std::vector<std::string>{
                          "<title>", "Pelloran TGA to PNG 2.9", "Copyright (c) Pelloran Software",
                          "https://www.pelloran.com", " ", "Preparing...",
                          "Error: Invalid input file", "Press any key to exit.", "<wait>"}));
  Ran quiet = FrontEnd({"-q", "-i", "/nonexistent/a.tga"});
  EXPECT_EQ(quiet.events, (std::vector<std::string>{"<title>", "Error: Invalid input file"}));
}

TEST(FrontEndTest, CommandLineResetBeforeOptions) {
  Ran r = FrontEnd({"-i", "/nonexistent/a.tga"});
  EXPECT_EQ(r.settings.Int("Transform", "Keep Aspect Ratio"), 0);
  EXPECT_EQ(r.settings.Int("Output", "JPG Quality"), 95);
  EXPECT_FALSE(r.project.state.programFolder.empty());
}

TEST(OutputFolderTest, InputFileFolder) {
  EXPECT_EQ(InputFileFolder("/img/a.tga", "/work"), "/img/");
  EXPECT_EQ(InputFileFolder("a.tga", "/work"), "/work/");
  EXPECT_EQ(InputFileFolder("sub/a.tga", "/work/"), "/work/sub/");
  EXPECT_EQ(InputFileFolder("../a.tga", "/work"), "/work/../");
}

TEST(OutputFolderTest, ResolveOutputFolder) {
  EXPECT_EQ(ResolveOutputFolder("/abs/out", "/prog/"), "/abs/out/");
  EXPECT_EQ(ResolveOutputFolder("/abs/out/", "/prog/"), "/abs/out/");
  EXPECT_EQ(ResolveOutputFolder("out", "/prog/"), "/prog/out/");
  EXPECT_EQ(ResolveOutputFolder("./out", "/prog/"), "/prog/out/");
  EXPECT_EQ(ResolveOutputFolder(".", "/prog/"), "/prog/./");
}

TEST(HelpTextTest, LinesAndColumns) {
  std::vector<std::string> lines = HelpLines("conv", "tga");
  ASSERT_EQ(lines.size(), 36u);
  EXPECT_EQ(lines[0], " ");
  EXPECT_EQ(lines[1], "Usage: conv -i <filename> [options]");
  EXPECT_EQ(lines[6], "  conv -i c:\\tmp\\example.tga -o d:\\converted --jpg-quality=95");
  EXPECT_EQ(lines[35], "  -v, --version             Display version information and exit");
  for (const std::string& line : lines) {
    // Every option line puts its description in column 29.
    if (line.starts_with("  -") || line.starts_with("    ...")) {
      EXPECT_EQ(line.find_first_not_of(' ', line.find("  ", 3)), 28u) << line;
    }
  }
}

}  // namespace
}  // namespace rondix
