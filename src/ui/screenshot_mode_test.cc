#include "ui/screenshot_mode.h"

#include <gtest/gtest.h>

#include <QApplication>
#include <QTimer>

#include <chrono>
#include <csetjmp>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <jpeglib.h>

#include "core/product.h"
#include "support/qt_app.h"
#include "support/tga_writer.h"
#include "ui/jpeg_file.h"
#include "ui/main_window.h"

namespace rondix {
namespace {

using fixture::ScratchFolder;

struct JpegFacts {
  bool read = false;
  int width = 0;
  int height = 0;
  int firstLumaQuant = 0;  // 3 at libjpeg quality 90 with the standard tables
};

struct JumpingErrors {
  jpeg_error_mgr base;
  std::jmp_buf jump;
};

JpegFacts ReadJpegHeader(const std::string& path) {
  JpegFacts facts;
  std::FILE* file = std::fopen(path.c_str(), "rb");
  if (file == nullptr) return facts;
  jpeg_decompress_struct info;
  JumpingErrors errors;
  info.err = jpeg_std_error(&errors.base);
  errors.base.error_exit = [](j_common_ptr c) {
    std::longjmp(reinterpret_cast<JumpingErrors*>(c->err)->jump, 1);
  };
  if (setjmp(errors.jump) == 0) {
    jpeg_create_decompress(&info);
    jpeg_stdio_src(&info, file);
    jpeg_read_header(&info, TRUE);
    facts.read = true;
    facts.width = static_cast<int>(info.image_width);
    facts.height = static_cast<int>(info.image_height);
    if (info.quant_tbl_ptrs[0] != nullptr) facts.firstLumaQuant = info.quant_tbl_ptrs[0]->quantval[0];
  }
  jpeg_destroy_decompress(&info);
  std::fclose(file);
  return facts;
}

bool Exists(const std::string& path) { return std::ifstream(path).good(); }

class ScreenshotTest : public ::testing::Test {
 protected:
  ScreenshotTest() {
    fixture::TestApplication();
    ResetSettings(process.settings, true);
    ResetProject(process.project);
  }
  Process process;
  ScratchFolder scratch;
};

TEST_F(ScreenshotTest, FolderMustExist) {
  EXPECT_EQ(ScreenshotFolder(scratch.path(), "/unused/"), scratch.path() + "/");
  EXPECT_EQ(ScreenshotFolder(scratch.path() + "/", "/unused/"), scratch.path() + "/");
  EXPECT_EQ(ScreenshotFolder("", scratch.path() + "/"), scratch.path() + "/");
  EXPECT_EQ(ScreenshotFolder(scratch.File("missing"), "/unused/"), "");
  std::ofstream(scratch.File("a-file")) << "x";
  EXPECT_EQ(ScreenshotFolder(scratch.File("a-file"), "/unused/"), "");
  EXPECT_EQ(ScreenshotFolder("", ""), "");
}

TEST_F(ScreenshotTest, WebAddressIsWrittenInBlackAtTheBottomRight) {
  QImage white(510, 260, QImage::Format_RGB32);
  white.fill(Qt::white);
  const QImage stamped = StampWebAddress(white);
  ASSERT_EQ(stamped.size(), white.size());
  int left = 510, right = -1, top = 260, bottom = -1;
  for (int y = 0; y < 260; ++y) {
    for (int x = 0; x < 510; ++x) {
      if (qGray(stamped.pixel(x, y)) > 128) continue;
      left = std::min(left, x);
      right = std::max(right, x);
      top = std::min(top, y);
      bottom = std::max(bottom, y);
    }
  }
  ASSERT_GE(right, 0) << "nothing written";
  // The text's right end lies 35 pixels from the right edge, its box starts 26 pixels above
  // the bottom edge; glyphs sit a little inside their box.
  EXPECT_LE(right, 510 - 35);
  EXPECT_GE(right, 510 - 35 - 4);
  EXPECT_GE(top, 260 - 26);
  EXPECT_LE(bottom, 260 - 26 + 16);
  EXPECT_GT(right - left, 60);  // a whole address, not a mark
}

TEST_F(ScreenshotTest, SavesFullAndHalfSizeJpegsAtQualityNine) {
  QImage shot(510, 260, QImage::Format_RGB32);
  shot.fill(QColor(200, 120, 40));
  const std::string folder = scratch.path() + "/";
  std::ofstream(folder + "rondix1.jpg") << "old";
  ASSERT_TRUE(SaveScreenshots(shot, folder));
  const JpegFacts full = ReadJpegHeader(folder + "rondix1.jpg");
  const JpegFacts reduced = ReadJpegHeader(folder + "rondix1x.jpg");
  ASSERT_TRUE(full.read);
  ASSERT_TRUE(reduced.read);
  EXPECT_EQ(full.width, 510);
  EXPECT_EQ(full.height, 260);
  EXPECT_EQ(reduced.width, 255);
  EXPECT_EQ(reduced.height, 130);
  EXPECT_EQ(full.firstLumaQuant, 3);
  EXPECT_EQ(reduced.firstLumaQuant, 3);

  EXPECT_FALSE(SaveScreenshots(shot, scratch.File("missing") + "/"));
  EXPECT_FALSE(SaveScreenshots(QImage(), folder));
}

TEST_F(ScreenshotTest, MissingFolderDoesNothing) {
  EXPECT_EQ(RunScreenshotSession(process, scratch.File("missing")), 1);
  EXPECT_TRUE(QApplication::topLevelWidgets().isEmpty() ||
              std::none_of(QApplication::topLevelWidgets().begin(),
                           QApplication::topLevelWidgets().end(),
                           [](QWidget* w) { return qobject_cast<MainWindow*>(w) != nullptr; }));
}

TEST_F(ScreenshotTest, PhotographsTheMainWindowAfterHalfASecond) {
  process.project.state.modeMarker = "T";
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunScreenshotSession(process, scratch.path()), 0);
  const auto took = std::chrono::steady_clock::now() - start;
  EXPECT_GE(took, std::chrono::milliseconds(kScreenshotDelayMillis));
  const JpegFacts full = ReadJpegHeader(scratch.File("rondix1.jpg"));
  ASSERT_TRUE(full.read);
  EXPECT_EQ(full.width, 510);
  EXPECT_EQ(full.height, 260);
  EXPECT_TRUE(Exists(scratch.File("rondix1x.jpg")));
  EXPECT_EQ(process.project.state.currentOutputFolder, kSampleOutputFolder);
}

TEST_F(ScreenshotTest, CloseRequestTakesThePictureAtOnce) {
  QTimer closer;
  closer.setInterval(20);
  QObject::connect(&closer, &QTimer::timeout, [] {
    for (QWidget* w : QApplication::topLevelWidgets()) {
      if (qobject_cast<MainWindow*>(w) != nullptr && w->isVisible()) w->close();
    }
  });
  closer.start();
  const auto start = std::chrono::steady_clock::now();
  EXPECT_EQ(RunScreenshotSession(process, scratch.path()), 0);
  EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::milliseconds(kScreenshotDelayMillis));
  EXPECT_TRUE(ReadJpegHeader(scratch.File("rondix1.jpg")).read);
  EXPECT_TRUE(ReadJpegHeader(scratch.File("rondix1x.jpg")).read);
}

TEST(JpegFileTest, EncodesAnyPictureAndRefusesANullOne) {
  fixture::TestApplication();
  QImage picture(3, 2, QImage::Format_ARGB32);
  picture.fill(QColor(10, 20, 30, 128));
  const std::string bytes = EncodeJpeg(picture, 90);
  ASSERT_GT(bytes.size(), 4u);
  EXPECT_EQ(static_cast<unsigned char>(bytes[0]), 0xFF);
  EXPECT_EQ(static_cast<unsigned char>(bytes[1]), 0xD8);
  EXPECT_TRUE(EncodeJpeg(QImage(), 90).empty());
}

}  // namespace
}  // namespace rondix
