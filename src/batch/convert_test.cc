#include "batch/convert.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <QApplication>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>

#include <functional>

#include "batch/progress_window.h"
#include "support/batch_form.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

using fixture::BatchForm;
using fixture::ScratchFolder;

fixture::TgaSpec SmallPicture() {
  fixture::TgaSpec desc;
  desc.width = 3;
  desc.height = 2;
  desc.pixels = {{255, 0, 0}, {0, 255, 0}, {0, 0, 255}, {10, 20, 30}, {40, 50, 60}, {70, 80, 90}};
  return desc;
}

// What the progress window showed when its OK button became usable.
struct Shown {
  bool opened = false;
  std::string title;
  std::string fileLabel;
  std::string timeLabel;
  bool timeLabelHidden = false;
  int barValue = -1;
  int barMaximum = -1;
  int barY = -1;
  std::string statusWhileOpen;
};

// Runs Convert; `whileRunning` is called with the open progress window on every tick until
// the window shows its result, then OK is pressed.
Shown ConvertAndPressOk(BatchForm& f, std::function<void(ProgressWindow&)> whileRunning = {}) {
  Shown shown;
  fixture::Repeater driver([&] {
    auto* w = qobject_cast<ProgressWindow*>(QApplication::activeModalWidget());
    if (w == nullptr) return false;
    if (!shown.opened) {
      shown.opened = true;
      shown.statusWhileOpen = f.status->text().toStdString();
    }
    if (!w->okButton()->isEnabled()) {
      if (whileRunning) whileRunning(*w);
      return false;
    }
    shown.title = w->windowTitle().toStdString();
    shown.fileLabel = w->fileLabel()->text().toStdString();
    shown.timeLabel = w->timeLabel()->text().toStdString();
    shown.timeLabelHidden = w->timeLabel()->isHidden();
    shown.barValue = w->bar()->value();
    shown.barMaximum = w->bar()->maximum();
    shown.barY = w->bar()->y();
    if (const char* dir = std::getenv("RONDIX_SCREENSHOT_DIR")) {
      w->grab().save(QString::fromUtf8(dir) + "/progress-window.png");
    }
    w->okButton()->click();
    return true;
  });
  Convert(f.ctx);
  return shown;
}

TEST(Convert, ChecksInOrderAndStopsAtTheFirstProblem) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.tga"), SmallPicture()));
  ASSERT_TRUE(fixture::WriteFileBytes(dir.File("empty.tga"), {}));
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.png"), SmallPicture()));
  ASSERT_EQ(mkdir(dir.File("dir.tga").c_str(), 0755), 0);
  const std::string good = dir.File("a.tga");
  const std::string folder = dir.path() + "/";

  struct Case {
    const char* name;
    std::string input;
    std::string output;
    std::function<void(SettingsStore&)> set;
    std::string warning;
    std::string status;  // after the check
  };
  const std::string noInput = "No input file(s) found. Please, add valid file(s) and try again!";
  const std::string stopped = "Conversion stopped";
  const Case cases[] = {
      {"empty input field", "", folder, {}, noInput, stopped},
      {"missing file", dir.File("missing.tga"), folder, {}, noInput, stopped},
      {"empty file", dir.File("empty.tga"), folder, {}, noInput, stopped},
      {"another extension", dir.File("a.png"), folder, {}, noInput, stopped},
      {"a folder named .tga", dir.File("dir.tga"), folder, {}, noInput, stopped},
      {"input checked before output", "", "", {}, noInput, stopped},
      {"empty output folder", good, "",
       {}, "The output folder's field is empty. Please, select existed output folder and try again!",
       stopped},
      {"missing output folder", good, dir.path() + "/nope",
       {},
       "The following output folder is invalid or doesn't exist:\r\n" + dir.path() +
           "/nope/\r\n\r\nPlease, correct the output path and try again!",
       stopped},
      {"output folder that is a file", good, good, {},
       "The following output folder is invalid or doesn't exist:\r\n" + good +
           "/\r\n\r\nPlease, correct the output path and try again!",
       stopped},
      {"resize width 0", good, folder,
       [](SettingsStore& s) {
         s.SetInt("Transform", "Do Image Resize", 1);
         s.SetInt("Transform", "Image Width", 0);
         s.SetInt("Transform", "Image Height", 0);
       },
       "Invalid resize width value!", stopped},
      {"resize height 0 with aspect kept", good, folder,
       [](SettingsStore& s) {
         s.SetInt("Transform", "Do Image Resize", 1);
         s.SetInt("Transform", "Keep Aspect Ratio", 1);
         s.SetInt("Transform", "Image Width", 100);
         s.SetInt("Transform", "Image Height", 0);
       },
       "Invalid resize height value!", stopped},
      {"watermark font missing", good, folder,
       [](SettingsStore& s) {
         s.SetInt("Watermark", "Do Watermark", 1);
         s.SetText("Watermark", "Font", "No Such Family Qwzx");
       },
       "Unable to load selected font for a watermark: No Such Family Qwzx", "Preparing..."},
      {"watermark image empty", good, folder,
       [](SettingsStore& s) {
         s.SetInt("Watermark", "Do Watermark", 2);
         s.SetText("Watermark", "Image", "");
       },
       "Selected watermark image is invalid/empty!", "Preparing..."},
      {"watermark image missing", good, folder,
       [&](SettingsStore& s) {
         s.SetInt("Watermark", "Do Watermark", 2);
         s.SetText("Watermark", "Image", dir.File("nothing.png"));
       },
       "Unable to load selected file as a watermark image: " + dir.File("nothing.png"),
       "Preparing..."},
      {"watermark image empty file", good, folder,
       [&](SettingsStore& s) {
         s.SetInt("Watermark", "Do Watermark", 2);
         s.SetText("Watermark", "Image", dir.File("empty.tga"));
       },
       "Unable to load selected file as a watermark image: " + dir.File("empty.tga"),
       "Preparing..."},
  };
  for (const Case& c : cases) {
    BatchForm f;
    f.settings.SetText("File", "Recent Out Folders", "/kept/");
    if (c.set) c.set(f.settings);
    f.input->setText(QString::fromStdString("  " + c.input + " "));
    f.ShowFolder(QString::fromStdString(c.output));
    bool windowOpened = false;
    fixture::Repeater watch([&] {
      windowOpened = windowOpened || QApplication::activeModalWidget() != nullptr;
      return false;
    });
    Convert(f.ctx);
    ASSERT_EQ(f.log.warnings.size(), 1u) << c.name;
    EXPECT_EQ(f.log.warnings[0], c.warning) << c.name;
    EXPECT_EQ(f.status->text().toStdString(), c.status) << c.name;
    EXPECT_FALSE(windowOpened) << c.name;
    EXPECT_EQ(f.settings.Text("File", "Recent Out Folders"), "/kept/") << c.name;
    EXPECT_EQ(f.project.state.currentInputPath, c.input) << c.name;  // trimmed field text
  }
}

TEST(Convert, RunsOneFileThroughTheProgressWindow) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteTga(dir.File("a.tga"), SmallPicture()));
  BatchForm f;
  f.settings.SetText("File", "Recent Out Folders", "/old/");
  f.input->setText(QString::fromStdString(dir.File("a.tga")));
  f.ShowFolder(QString::fromStdString(dir.path()));  // typed without the final "/"

  const Shown shown = ConvertAndPressOk(f);

  EXPECT_TRUE(f.log.warnings.empty());
  ASSERT_TRUE(shown.opened);
  EXPECT_EQ(shown.statusWhileOpen, "Converting...");
  EXPECT_EQ(shown.title, "Conversion complete (1/1)");
  EXPECT_EQ(shown.fileLabel, "Files converted: 1 of 1");
  EXPECT_TRUE(shown.timeLabelHidden);
  EXPECT_EQ(shown.barY, 50);
  EXPECT_EQ(shown.barMaximum, 2);
  EXPECT_EQ(shown.barValue, 2);
  EXPECT_EQ(f.status->text().toStdString(), "Conversion complete");
  EXPECT_EQ(QApplication::activeModalWidget(), nullptr);

  const fixture::RgbaImage out = fixture::ReadRgba(dir.File("a.png"));
  ASSERT_EQ(out.width, 3u);
  EXPECT_EQ(out.at(2, 0), (fixture::Rgba{0, 0, 255}));
  EXPECT_EQ(f.project.state.outputExtension, "png");
  EXPECT_EQ(f.settings.Text("File", "Recent Out Folders"), dir.path() + "/\t/old/");
  EXPECT_EQ(f.folders->currentText().toStdString(), dir.path() + "/");
}

TEST(Convert, DrawsATextWatermarkWithTheFontItLoaded) {
  ScratchFolder dir;
  fixture::TgaSpec desc;
  desc.width = 300;
  desc.height = 60;
  desc.pixels.assign(size_t(desc.width) * desc.height, fixture::Rgba{0, 0, 0});
  ASSERT_TRUE(fixture::WriteTga(dir.File("dark.tga"), desc));
  BatchForm f;
  f.settings.SetInt("Watermark", "Do Watermark", 1);  // white default text in "Arial"
  f.input->setText(QString::fromStdString(dir.File("dark.tga")));
  f.ShowFolder(QString::fromStdString(dir.path() + "/"));

  const Shown shown = ConvertAndPressOk(f);
  EXPECT_TRUE(f.log.warnings.empty());
  EXPECT_EQ(shown.fileLabel, "Files converted: 1 of 1");
  const fixture::RgbaImage out = fixture::ReadRgba(dir.File("dark.png"));
  ASSERT_FALSE(out.empty());
  int bright = 0;
  for (const fixture::Rgba& p : out.pixels) bright += p.r > 200 ? 1 : 0;
  EXPECT_GT(bright, 20);
}

TEST(Convert, ReportsAFileThatCannotBeDecoded) {
  ScratchFolder dir;
  ASSERT_TRUE(fixture::WriteFileBytes(dir.File("bad.tga"), std::vector<uint8_t>(64, 0xEE)));
  BatchForm f;
  f.input->setText(QString::fromStdString(dir.File("bad.tga")));
  f.ShowFolder(QString::fromStdString(dir.path() + "/"));

  const Shown shown = ConvertAndPressOk(f);
  EXPECT_EQ(shown.title, "Conversion complete (1/1)");
  EXPECT_EQ(shown.fileLabel, "Files converted: 0 of 1");
  struct stat st {};
  EXPECT_NE(stat(dir.File("bad.png").c_str(), &st), 0);
}

// A file that takes long enough to convert for the window to be closed while it runs.
std::string WriteLargePicture(const ScratchFolder& dir) {
  fixture::TgaSpec desc;
  desc.width = 3000;
  desc.height = 3000;
  desc.pixels.resize(size_t(desc.width) * desc.height);
  uint32_t x = 12345;
  for (auto& p : desc.pixels) {
    x = x * 1664525u + 1013904223u;
    p = {uint8_t(x >> 24), uint8_t(x >> 16), uint8_t(x >> 8)};
  }
  const std::string path = dir.File("large.tga");
  EXPECT_TRUE(fixture::WriteTga(path, desc));
  return path;
}

class StopQuestion : public ::testing::TestWithParam<bool> {};

TEST_P(StopQuestion, AnswersDecideWhetherTheRunStops) {
  const bool stop = GetParam();
  ScratchFolder dir;
  BatchForm f;
  f.input->setText(QString::fromStdString(WriteLargePicture(dir)));
  f.ShowFolder(QString::fromStdString(dir.path() + "/"));
  f.log.answer = stop;
  bool workerRunningWhenAsked = false;

  bool closed = false;
  const Shown shown = ConvertAndPressOk(f, [&](ProgressWindow& w) {
    if (closed || w.fileLabel()->text().isEmpty()) return;
    closed = true;
    if (const char* out = std::getenv("RONDIX_SCREENSHOT_DIR")) {
      w.grab().save(QString::fromUtf8(out) + "/progress-running.png");
    }
    f.log.onQuestion = [&] { workerRunningWhenAsked = w.workerActive(); };
    w.close();
  });

  ASSERT_EQ(f.log.questions, std::vector<std::string>{"Do you want to break the conversion?"});
  EXPECT_TRUE(workerRunningWhenAsked);
  if (stop) {
    EXPECT_EQ(shown.title, "Conversion stopped (1/1)");
    EXPECT_EQ(shown.fileLabel, "Conversion stopped");
    EXPECT_EQ(shown.barValue, 1);  // not filled
    EXPECT_EQ(f.status->text().toStdString(), "Conversion stopped");
  } else {
    EXPECT_EQ(shown.title, "Conversion complete (1/1)");
    EXPECT_EQ(shown.fileLabel, "Files converted: 1 of 1");
    EXPECT_EQ(shown.barValue, 2);
    EXPECT_EQ(f.status->text().toStdString(), "Conversion complete");
  }
}

INSTANTIATE_TEST_SUITE_P(YesAndNo, StopQuestion, ::testing::Bool(),
                         [](const auto& info) { return info.param ? "Yes" : "No"; });

}  // namespace
}  // namespace rondix
