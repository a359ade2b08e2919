#include "cli/profile.h"

#include <gtest/gtest.h>

#include <fstream>

#include "support/tga_writer.h"

namespace rondix {
namespace {

class ProfileTest : public ::testing::Test {
 protected:
  void SetUp() override { ResetSettings(settings, true); }

  std::string Write(const std::string& text) {
    std::string path = folder.File("profile.ini");
    std::ofstream(path, std::ios::binary) << text;
    return path;
  }

  fixture::ScratchFolder folder;
  SettingsStore settings;
};

TEST_F(ProfileTest, AppliesTheCliGroupInFileOrder) {
  std::string path = Write(
      "[Other]\r\n--jpg-quality = 11\r\n"
      "[CLI]\r\n"
      "--jpg-quality = 80\r\n"
      "--WM-TEXT = first\r\n"
      "--wm-image = pic.png\r\n"
      "--width = $10\r\n"
      "--gamma = 2.5\r\n"
      "--resize-algorithm = Lanczos\r\n"
      "--flip-horizontal = 0\r\n"
      "--no-subfolders = 1\r\n"
      "--height =\r\n"
      "--filename-mask = \"%filename%-p.%ext%\"\r\n"
      "--wm-font = \"Quoted Font\"\r\n"
      "-i = ignored.tga\r\n"
      "--profile = other.ini\r\n"
      "--unknown = 1\r\n"
      "[Later]\r\n--png-bpp = 8\r\n");
  ASSERT_TRUE(LoadProfile(path, settings));
  EXPECT_EQ(settings.Int("Output", "JPG Quality"), 80);
  EXPECT_EQ(settings.Text("Watermark", "Text"), "first");
  EXPECT_EQ(settings.Int("Watermark", "Do Watermark"), 2);  // the image came later
  EXPECT_EQ(settings.Int("Transform", "Image Width"), 16);
  EXPECT_EQ(settings.Int("Transform", "Do Image Resize"), 1);
  EXPECT_FLOAT_EQ(settings.Float("Adjustment", "Image Gamma"), 2.5f);
  EXPECT_EQ(settings.Int("Adjustment", "Do Image Color Correction"), 1);
  EXPECT_EQ(settings.Int("Transform", "Image Resize Algorithm"), 5);
  EXPECT_EQ(settings.Int("Transform", "Do Image Flip Horizontal"), 1);  // a flag, whatever its value
  EXPECT_EQ(settings.Int("Advanced", "Keep Subfolders"), 0);
  EXPECT_EQ(settings.Int("Transform", "Image Height"), 0);  // empty value, no error
  EXPECT_EQ(settings.Text("Advanced", "Filename Mask"), "%filename%-p.%ext%");
  EXPECT_EQ(settings.Text("Watermark", "Font"), "\"Quoted Font\"");  // only the mask is unquoted
  EXPECT_EQ(settings.Int("Output", "PNG BPP"), 0);  // other groups are never read
}

TEST_F(ProfileTest, FrameOpacityHasItsOwnProfileKey) {
  ASSERT_TRUE(LoadProfile(Write("[cli]\r\n--WM-SOLID-OPACITY = 7\r\n--fr-solid-opacity = 9\r\n"),
                          settings));
  EXPECT_EQ(settings.Int("Frame", "Solid Opacity"), 7);
}

TEST_F(ProfileTest, FailuresAndEmptyProfiles) {
  EXPECT_FALSE(LoadProfile("", settings));
  EXPECT_FALSE(LoadProfile(folder.File("missing.ini"), settings));
  EXPECT_TRUE(LoadProfile(Write("[General]\r\nCFG = 19\r\n"), settings));
  EXPECT_TRUE(LoadProfile(Write(""), settings));
  EXPECT_EQ(settings.Int("Output", "JPG Quality"), 95);
}

}  // namespace
}  // namespace rondix
