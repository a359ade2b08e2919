// Console conversions: printed lines, exit status, where the file goes and its pixels.
#include <sys/stat.h>

#include <filesystem>

#include "console/console_fixture.h"

namespace rondix::console_test {
namespace {

const std::vector<std::string> kSuccess = {
    "Preparing...",  "Importing...",        "Import complete, new files added: 1",
    "Converting...", "Conversion complete", "Files converted: 1 of 1"};

using ConversionTest = ConsoleTest;

TEST_F(ConversionTest, ConvertsBesideTheSourceWithTheSamePixels) {
  WritePicture("a.tga");
  ProgramResult r = Run({"-i", "a.tga"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.Lines(), WithBanner(kSuccess));
  EXPECT_EQ(r.err, "");

  fixture::RgbaImage png = fixture::ReadRgba(File("a.png"));
  ASSERT_EQ(png.width, 3u);
  ASSERT_EQ(png.height, 2u);
  EXPECT_EQ(png.pixels, Picture().pixels);
}

TEST_F(ConversionTest, OutputFolders) {
  std::filesystem::create_directories(File("sub"));
  std::filesystem::create_directories(File("dest"));
  WritePicture("sub/b.tga");
  struct Case {
    std::vector<std::string> args;
    std::string output;
  } cases[] = {
      {{"-i", "sub/b.tga"}, "sub/b.png"},                     // relative source: its folder
      {{"-i", File("sub/b.tga")}, "sub/b.png"},               // absolute source
      {{"-i", "sub/b.tga", "-o", File("dest")}, "dest/b.png"},
      {{"--input=sub/b.tga", "--output=" + File("dest") + "/"}, "dest/b.png"},
  };
  for (const Case& c : cases) {
    std::filesystem::remove(File(c.output));
    ProgramResult r = Run(c.args);
    EXPECT_EQ(r.status, 0) << c.args[1];
    EXPECT_TRUE(Exists(File(c.output))) << c.args[1];
  }
}

TEST_F(ConversionTest, RelativeOutputFolderIsInsideTheProgramFolder) {
  // A copy of the program in a folder of its own, with "out" beside it.
  std::filesystem::create_directories(File("bin/out"));
  std::filesystem::copy_file(RONDIX_EXE, File("bin/rondix"));
  std::filesystem::permissions(File("bin/rondix"), std::filesystem::perms::owner_all);
  WritePicture("a.tga");
  for (const char* folder : {"out", "./out", "out/"}) {
    std::filesystem::remove(File("bin/out/a.png"));
    Program program({"-q", "-i", "a.tga", "-o", folder}, scratch_.path(), xdg_, false,
                    File("bin/rondix"));
    const ProgramResult& r = program.Finish();
    EXPECT_EQ(r.status, 0) << folder;
    EXPECT_EQ(r.out, "") << folder;
    EXPECT_TRUE(Exists(File("bin/out/a.png"))) << folder;
  }
  // A relative folder missing beside the program fails, even if the working folder has it.
  std::filesystem::create_directories(File("elsewhere"));
  Program program({"-q", "-i", "a.tga", "-o", "elsewhere"}, scratch_.path(), xdg_, false,
                  File("bin/rondix"));
  EXPECT_EQ(program.Finish().Lines(), std::vector<std::string>{"Error: Invalid output folder"});
}

TEST_F(ConversionTest, QuotedPathsWithBlanks) {
  WritePicture("my pic.tga");
  for (const auto& args : std::vector<std::vector<std::string>>{
           {"-i", "my pic.tga"},            // split by the shell already
           {"-i", "\"my pic.tga\""},        // quotes that reached the program
           {"-i", "\"my", "pic.tga\""},     // quoted text over two parameters
           {"--input=\"my", "pic.tga\""}}) {
    std::filesystem::remove(File("my pic.png"));
    ProgramResult r = Run(args);
    EXPECT_EQ(r.status, 0) << args[1];
    EXPECT_TRUE(Exists(File("my pic.png"))) << args[1];
  }
  // A quoted mask over two parameters names the output.
  WritePicture("a.tga");
  ProgramResult r = Run({"-i", "a.tga", "--filename-mask=\"copy of", "%filename%.%ext%\""});
  EXPECT_EQ(r.status, 0);
  EXPECT_TRUE(Exists(File("copy of a.png")));
}

TEST_F(ConversionTest, UnknownOptionsAndWordsAreIgnored) {
  WritePicture("a.tga");
  ProgramResult r = Run({"--foo=1", "bare", "-x", "-i", "a.tga", "-h", "-U"});
  EXPECT_EQ(r.status, 0);
  EXPECT_EQ(r.Lines(), WithBanner(kSuccess));
}

TEST_F(ConversionTest, QuietAndPause) {
  WritePicture("a.tga");
  WritePicture("b.TGA");
  WriteText("pic.png", "not a targa");
  WriteText("list.txt", "a.tga\n");
  const std::vector<std::string> kNothing = {
      "Conversion stopped", "No input file(s) found. Please, add valid file(s) and try again!"};
  struct Case {
    std::vector<std::string> args;
    int status;
    std::vector<std::string> lines;
  } cases[] = {
      {{"-q", "-i", "a.tga"}, 0, {}},
      {{"-i", "a.tga", "--quiet"}, 0, {}},
      {{"-q", "-i", "pic.png"}, 1, kNothing},   // not an accepted extension
      {{"-q", "-i", "list.txt"}, 1, kNothing},  // list files import nothing
      {{"-i", "a.tga", "-p"}, 0, WithBanner({"Preparing...", "Importing...",
                                             "Import complete, new files added: 1",
                                             "Converting...", "Conversion complete",
                                             "Files converted: 1 of 1", "Press any key to exit."})},
      {{"-i", "missing.tga", "-q", "-p"}, 1, {"Error: Invalid input file", "Press any key to exit."}},
      {{"-q", "-i", "b.TGA"}, 0, {}},  // extensions are compared in lower case
  };
  for (const Case& c : cases) {
    ProgramResult r = Run(c.args);
    EXPECT_EQ(r.status, c.status) << c.args[1];
    EXPECT_EQ(r.Lines(), c.lines) << c.args[1];
  }
  ProgramResult list = Run({"-i", "list.txt"});
  EXPECT_EQ(list.Lines(), WithBanner({"Preparing...", "Importing...",
                                      "Import complete, new files added: 0", kNothing[0],
                                      kNothing[1]}));
}

TEST_F(ConversionTest, AFileTheWorkerCannotDecode) {
  // PNG bytes under a Targa name: imported, but the conversion fails.
  fixture::TgaSpec desc = Picture();
  ASSERT_TRUE(fixture::WriteTga(File("real.tga"), desc));
  ASSERT_EQ(Run({"-q", "-i", "real.tga"}).status, 0);
  std::filesystem::rename(File("real.png"), File("fake.tga"));

  ProgramResult r = Run({"-i", "fake.tga"});
  EXPECT_EQ(r.status, 1);
  EXPECT_EQ(r.Lines(), WithBanner({"Preparing...", "Importing...",
                                   "Import complete, new files added: 1", "Converting...",
                                   "Conversion stopped"}));
  EXPECT_FALSE(Exists(File("fake.png")));

  ProgramResult quiet = Run({"-q", "-i", "fake.tga"});
  EXPECT_EQ(quiet.Lines(), std::vector<std::string>{"Conversion stopped"});

  ProgramResult debug = Run({"-q", "-d", "-i", "fake.tga"});
  std::vector<std::string> lines = debug.Lines();
  ASSERT_GE(lines.size(), 4u);
  EXPECT_EQ(lines[lines.size() - 4], "Processing: fake.tga");
  EXPECT_TRUE(lines[lines.size() - 3].starts_with("File Format: "));
  EXPECT_EQ(lines[lines.size() - 2], "[ERROR] Unable to convert the file!");
  EXPECT_EQ(lines.back(), "Conversion stopped");
}

TEST_F(ConversionTest, NeverTouchesTheSettingsFile) {
  WritePicture("a.tga");
  ASSERT_EQ(Run({"-i", "a.tga"}).status, 0);
  EXPECT_TRUE(std::filesystem::is_empty(xdg_ + "/config"));
}

}  // namespace
}  // namespace rondix::console_test
