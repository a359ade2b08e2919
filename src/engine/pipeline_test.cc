#include "engine/pipeline.h"

#include <FreeImage.h>
#include <dirent.h>
#include <gtest/gtest.h>
#include <signal.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <ctime>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "engine/conversion_run.h"
#include "engine/output_encoding.h"
#include "platform/clock.h"
#include "platform/file_time.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

namespace fs = std::filesystem;

using fixture::Rgba;

// Uncompressed 24-bit TGA of one colour.
void WriteSolidTga(const std::string& path, int width, int height, Rgba colour) {
  fixture::TgaSpec desc;
  desc.width = width;
  desc.height = height;
  desc.pixels.assign(static_cast<size_t>(width * height), colour);
  ASSERT_TRUE(fixture::WriteTga(path, desc));
}

std::string ReadAll(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteText(const std::string& path, const std::string& text) {
  std::ofstream(path, std::ios::binary) << text;
}

// Names in `folder` that look like our temporary files.
std::vector<std::string> TempLeftovers(const std::string& folder) {
  std::vector<std::string> found;
  for (const auto& e : fs::directory_iterator(folder)) {
    const std::string name = e.path().filename().string();
    if (name.find(".rondix-") != std::string::npos) found.push_back(name);
  }
  return found;
}

class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_FALSE(scratch.path().empty());
    in = scratch.File("in/");
    out = scratch.File("out/");
    fs::create_directories(in);
    fs::create_directories(out);

    ResetSettings(settings, true);
    ProjectState& s = project.state;
    s.consoleRun = 1;
    s.modeMarker = "DEBUG";
    s.currentOutputFolder = out;
    s.fileCounter = 1;
    s.randomValue = 42;
    PrepareOutputFormat("png", settings, s);
  }
  RunContext Context() {
    return RunContext{settings, project, progress, nullptr, [this](const std::string& line) {
                        lines.push_back(line);
                        if (onLine) onLine(line);
                      }};
  }

  // Adds a file to the run (the InputList of a real run holds one; the worker takes many).
  void AddInput(const std::string& path, const std::string& subfolder = "") {
    project.inputs[path] = InputEntry{1, subfolder};
  }

  int32_t Run() {
    RunContext ctx = Context();
    return RunConversion(ctx);
  }

  fixture::ScratchFolder scratch;
  std::string in, out;
  SettingsStore settings;
  Project project;
  ConversionProgress progress;
  std::vector<std::string> lines;
  std::function<void(const std::string&)> onLine;
};

TEST_F(PipelineTest, WritesPngWithTheInputPixels) {
  fixture::TgaSpec desc;
  desc.width = 3;
  desc.height = 2;
  desc.pixels = {{255, 0, 0},     {0, 255, 0},     {0, 0, 255},
                 {255, 255, 255}, {128, 128, 128}, {0, 0, 0}};
  ASSERT_TRUE(fixture::WriteTga(in + "Sunset.tga", desc));
  AddInput(in + "Sunset.tga");

  EXPECT_EQ(Run(), 1);
  EXPECT_EQ(lines, (std::vector<std::string>{"Processing: " + in + "Sunset.tga",
                                             "File Format: [ERROR] UNRECOGNIZED",
                                             "[OK] Saving As: " + out + "Sunset.png"}));
  EXPECT_EQ(project.state.currentOutputPath, out + "Sunset.png");
  EXPECT_EQ(project.state.loadedBitsPerPixel, 24);
  EXPECT_EQ(project.state.targetBitsPerPixel, 24);
  EXPECT_EQ(project.state.finalWidth, 3);
  EXPECT_EQ(project.state.finalHeight, 2);
  EXPECT_EQ(project.state.fileCounter, 2);

  FIBITMAP* png = FreeImage_Load(FIF_PNG, (out + "Sunset.png").c_str(), 0);
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(FreeImage_GetBPP(png), 24u);
  FreeImage_Unload(png);
  const fixture::RgbaImage back = fixture::ReadRgba(out + "Sunset.png");
  ASSERT_EQ(back.width, 3u);
  ASSERT_EQ(back.height, 2u);
  EXPECT_EQ(back.pixels, desc.pixels);
  EXPECT_TRUE(TempLeftovers(out).empty());
}

TEST_F(PipelineTest, TransformsRunInTheirOrderAndTheNameTakesTheFinalSize) {
  // Left half red, right half blue.
  fixture::TgaSpec desc;
  desc.width = 4;
  desc.height = 2;
  const Rgba red{255, 0, 0}, blue{0, 0, 255};
  desc.pixels = {red, red, blue, blue, red, red, blue, blue};
  ASSERT_TRUE(fixture::WriteTga(in + "a.tga", desc));
  AddInput(in + "a.tga");
  settings.SetText("Advanced", "Filename Mask", "%width%x%height%_%bpp%.%ext%");
  // Turned first (4x2 -> 2x4, blue on top), then halved in width (-> 1x4), then flipped
  // top to bottom (red on top). Resizing first would give 2x2; flipping first changes nothing.
  settings.SetInt("Transform", "Do Image Rotation", 1);
  settings.SetInt("Transform", "Image Rotation", 90);
  settings.SetInt("Transform", "Do Image Resize", 1);
  settings.SetInt("Transform", "Image Width", 50);
  settings.SetInt("Transform", "Image Width Unit", 1);
  settings.SetInt("Transform", "Image Height", 100);
  settings.SetInt("Transform", "Image Height Unit", 1);
  settings.SetInt("Transform", "Image Resize Algorithm", 0);
  settings.SetInt("Transform", "Do Image Flip Vertical", 1);

  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(project.state.finalWidth, 1);
  EXPECT_EQ(project.state.finalHeight, 4);
  const fixture::RgbaImage back = fixture::ReadRgba(out + "1x4_24.png");
  ASSERT_EQ(back.width, 1u);
  ASSERT_EQ(back.height, 4u);
  EXPECT_EQ(back.pixels, (std::vector<Rgba>{red, red, blue, blue}));
}

TEST_F(PipelineTest, NewOutputGetsTheUsualFileMode) {
  WriteSolidTga(in + "a.tga", 2, 2, {1, 2, 3});
  AddInput(in + "a.tga");
  ASSERT_EQ(Run(), 1);
  const mode_t mask = umask(022);
  umask(mask);
  struct stat st {};
  ASSERT_EQ(stat((out + "a.png").c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 0777, 0666 & ~mask);
}

TEST_F(PipelineTest, PngNamedTgaFails) {
  // A real PNG under a TGA name.
  WriteSolidTga(in + "src.tga", 2, 2, {9, 9, 9});
  FIBITMAP* image = FreeImage_Load(FIF_TARGA, (in + "src.tga").c_str(), 0);
  ASSERT_NE(image, nullptr);
  ASSERT_TRUE(FreeImage_Save(FIF_PNG, image, (in + "fake.tga").c_str(), 0));
  FreeImage_Unload(image);
  fs::remove(in + "src.tga");
  AddInput(in + "fake.tga");
  const int32_t counter = project.state.fileCounter;
  const int32_t random = project.state.randomValue;

  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(lines, (std::vector<std::string>{"Processing: " + in + "fake.tga", "File Format: PNG",
                                             "[ERROR] Unable to convert the file!"}));
  EXPECT_TRUE(fs::is_empty(out));
  EXPECT_EQ(project.state.fileCounter, counter);
  EXPECT_EQ(project.state.randomValue, random);
}

TEST_F(PipelineTest, PrintsNothingOutsideConsoleDebugMode) {
  WriteSolidTga(in + "a.tga", 2, 2, {1, 2, 3});
  AddInput(in + "a.tga");
  project.state.modeMarker = "";
  EXPECT_EQ(Run(), 1);
  project.state.modeMarker = "DEBUG";
  project.state.consoleRun = 0;
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(lines.empty());
}

TEST_F(PipelineTest, CounterAdvancesOnlyOnSuccessAndLastFileTimeFollows) {
  settings.SetText("Advanced", "Filename Mask", "%filename%-%n%.%ext%");
  project.state.fileCounter = 7;
  WriteSolidTga(in + "1.tga", 2, 2, {1, 2, 3});
  WriteText(in + "2.tga", "not an image");
  WriteSolidTga(in + "3.tga", 2, 2, {4, 5, 6});
  AddInput(in + "1.tga");
  AddInput(in + "2.tga");
  AddInput(in + "3.tga");

  // The previous file's time reaches the progress record when the next file starts.
  std::vector<int64_t> timesSeen;
  onLine = [&](const std::string& line) {
    if (line.rfind("Processing: ", 0) != 0) return;
    std::lock_guard<std::mutex> guard(progress.lock);
    timesSeen.push_back(progress.lastFileTime);
  };
  EXPECT_EQ(Run(), 2);
  EXPECT_EQ(timesSeen, (std::vector<int64_t>{0, 1000, 0}));  // fast files count as 1000 ms
  EXPECT_TRUE(fs::exists(out + "1-00007.png"));
  EXPECT_TRUE(fs::exists(out + "3-00008.png"));
  EXPECT_EQ(project.state.fileCounter, 9);
  EXPECT_EQ(std::distance(fs::directory_iterator(out), fs::directory_iterator()), 2);
  EXPECT_EQ(lines[5], "[ERROR] Unable to convert the file!");
  {
    std::lock_guard<std::mutex> guard(progress.lock);
    EXPECT_EQ(progress.filesStarted, 3);
    EXPECT_EQ(progress.currentFile, in + "3.tga");
    EXPECT_EQ(progress.filesConverted, 2);
  }
}

TEST_F(PipelineTest, OverwritesAnExistingOutput) {
  WriteSolidTga(in + "a.tga", 4, 3, {10, 20, 30});
  WriteText(out + "a.png", "old content");
  AddInput(in + "a.tga");
  EXPECT_EQ(Run(), 1);
  FIBITMAP* png = FreeImage_Load(FIF_PNG, (out + "a.png").c_str(), 0);
  ASSERT_NE(png, nullptr);
  EXPECT_EQ(FreeImage_GetWidth(png), 4u);
  FreeImage_Unload(png);
  EXPECT_TRUE(TempLeftovers(out).empty());
}

TEST_F(PipelineTest, StopLetsTheCurrentFileFinish) {
  for (int i = 1; i <= 5; ++i) {
    WriteSolidTga(in + std::to_string(i) + ".tga", 2, 2, {1, 2, 3});
    AddInput(in + std::to_string(i) + ".tga");
  }
  onLine = [&](const std::string& line) {
    if (line == "Processing: " + in + "2.tga") StopConversion(progress);
  };
  EXPECT_EQ(Run(), 2);
  EXPECT_TRUE(fs::exists(out + "1.png"));
  EXPECT_TRUE(fs::exists(out + "2.png"));
  EXPECT_FALSE(fs::exists(out + "3.png"));
  std::lock_guard<std::mutex> guard(progress.lock);
  EXPECT_EQ(progress.filesStarted, 2);
}

TEST_F(PipelineTest, PollingDriverSeesTheEnd) {
  WriteSolidTga(in + "a.tga", 2, 2, {1, 2, 3});
  AddInput(in + "a.tga");
  RunContext ctx = Context();
  ConversionWorker worker;
  StartConversion(ctx, worker);
  const int64_t deadline = MonotonicMillis() + 10000;
  while (!ConversionEnded(worker) && MonotonicMillis() < deadline) usleep(1000);
  EXPECT_TRUE(ConversionEnded(worker));
  EXPECT_EQ(FinishConversion(ctx, worker), 1);
  // A second run on the same records starts from a reset progress record.
  StartConversion(ctx, worker);
  EXPECT_EQ(FinishConversion(ctx, worker), 1);
  EXPECT_EQ(project.state.fileCounter, 3);
}

TEST_F(PipelineTest, StampsTheFileDate) {
  WriteSolidTga(in + "a.tga", 2, 2, {1, 2, 3});
  AddInput(in + "a.tga");
  const int64_t inputLocal = 1500000000 + 7;  // some summer date
  ASSERT_TRUE(SetFileModifiedTime(in + "a.tga", inputLocal));
  const int64_t custom = 1300000000 + 11;

  settings.SetInt("Advanced", "File Timestamp", 0);
  ASSERT_EQ(Run(), 1);
  EXPECT_NEAR(static_cast<double>(*FileModifiedTime(out + "a.png")),
              static_cast<double>(LocalNowSeconds()), 60);

  settings.SetInt("Advanced", "File Timestamp", 1);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(*FileModifiedTime(out + "a.png"), inputLocal);

  settings.SetInt("Advanced", "File Timestamp", 2);
  settings.SetInt("Advanced", "Custom Timestamp", custom);
  ASSERT_EQ(Run(), 1);
  EXPECT_EQ(*FileModifiedTime(out + "a.png"), custom);
}

TEST_F(PipelineTest, KeepSubfoldersNeedsTheSubfolder) {
  WriteSolidTga(in + "a.tga", 2, 2, {1, 2, 3});
  AddInput(in + "a.tga", "missing/");
  settings.SetInt("Advanced", "Keep Subfolders", 1);
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(project.state.currentOutputPath, out + "missing/a.png");
  EXPECT_TRUE(fs::is_empty(out));

  settings.SetInt("Advanced", "Keep Subfolders", 0);
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(fs::exists(out + "a.png"));

  fs::create_directories(out + "missing");
  settings.SetInt("Advanced", "Keep Subfolders", 1);
  EXPECT_EQ(Run(), 1);
  EXPECT_TRUE(fs::exists(out + "missing/a.png"));
}

TEST_F(PipelineTest, FailedSaveKeepsTheOldFileAndLeavesNoTemporary) {
  WriteSolidTga(in + "a.tga", 64, 64, {200, 100, 50});
  WriteText(out + "a.png", "old content");
  AddInput(in + "a.tga");

  // A format that cannot be written fails before any byte is written.
  project.state.outputFormatId = FIF_UNKNOWN;
  EXPECT_EQ(Run(), 0);
  EXPECT_EQ(ReadAll(out + "a.png"), "old content");
  EXPECT_TRUE(TempLeftovers(out).empty());

  // A write that breaks off halfway (file size limit; the signal is ignored so write fails).
  PrepareOutputFormat("png", settings, project.state);
  struct sigaction ignore {
  }, previous{};
  ignore.sa_handler = SIG_IGN;
  sigaction(SIGXFSZ, &ignore, &previous);
  rlimit saved{};
  getrlimit(RLIMIT_FSIZE, &saved);
  rlimit small = saved;
  small.rlim_cur = 100;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  const int32_t converted = Run();
  setrlimit(RLIMIT_FSIZE, &saved);
  sigaction(SIGXFSZ, &previous, nullptr);

  EXPECT_EQ(converted, 0);
  EXPECT_EQ(lines.back(), "[ERROR] Unable to convert the file!");
  EXPECT_EQ(ReadAll(out + "a.png"), "old content");
  EXPECT_TRUE(TempLeftovers(out).empty());
  std::lock_guard<std::mutex> guard(progress.lock);
  EXPECT_EQ(progress.filesConverted, 0);
}

TEST_F(PipelineTest, NameTheFileSystemRejectsFails) {
  WriteSolidTga(in + "a.tga", 2, 2, {1, 2, 3});
  AddInput(in + "a.tga");
  settings.SetText("Advanced", "Filename Mask", std::string(300, 'x') + ".%ext%");
  EXPECT_EQ(Run(), 0);
  EXPECT_TRUE(fs::is_empty(out));
}

}  // namespace
}  // namespace rondix
