#include "engine/rotation.h"

#include <gtest/gtest.h>

#include "engine/bitmap_test_util.h"

namespace rondix {
namespace {

using testing::GetRgb;
using testing::Image;
using testing::MakeImage;
using testing::Rgb;
using testing::SameRgb;

SettingsStore Rotation(int angle, int type = 0, const char* back = "000000") {
  SettingsStore settings = testing::DefaultSettings();
  settings.SetInt("Transform", "Do Image Rotation", 1);
  settings.SetInt("Transform", "Image Rotation", angle);
  settings.SetInt("Transform", "Image Rotation Type", type);
  settings.SetText("Transform", "Image Rotation Back Color", back);
  return settings;
}

TEST(ApplyRotation, LeavesTheImageWhenOffOrTheAngleDoesNotRotate) {
  EXPECT_EQ(ApplyRotation(nullptr, Rotation(90)), nullptr);

  SettingsStore off = Rotation(90);
  off.SetInt("Transform", "Do Image Rotation", 0);
  Image image(testing::MakeGrey(20, 10, 9));
  EXPECT_EQ(ApplyRotation(image.get(), off), image.get());
  for (int angle : {0, 360, -90, 450}) {
    EXPECT_EQ(ApplyRotation(image.get(), Rotation(angle)), image.get()) << angle;
  }
  EXPECT_EQ(FreeImage_GetBPP(image.get()), 8u);  // not even converted
}

TEST(ApplyRotation, SimpleNinetyDegreesTurnsCounterClockwise) {
  FIBITMAP* image = MakeImage(200, 100, 24, Rgb(0, 0, 255));
  testing::SetRgb(image, 0, 0, Rgb(255, 0, 0));
  Image out(ApplyRotation(image, Rotation(90)));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetWidth(out.get()), 100u);
  EXPECT_EQ(FreeImage_GetHeight(out.get()), 200u);
  // The top-left pixel ends at the bottom-left.
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 0, 199), Rgb(255, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 0, 0), Rgb(0, 0, 255)));
}

TEST(ApplyRotation, RotatesAtTwentyFourOrThirtyTwoBits) {
  Image grey(ApplyRotation(testing::MakeGrey(20, 10, 77), Rotation(90)));
  ASSERT_TRUE(grey);
  EXPECT_EQ(FreeImage_GetBPP(grey.get()), 24u);
  EXPECT_TRUE(SameRgb(GetRgb(grey.get(), 5, 5), Rgb(77, 77, 77)));

  Image high(ApplyRotation(MakeImage(20, 10, 16, Rgb(255, 0, 0)), Rotation(180)));
  ASSERT_TRUE(high);
  EXPECT_EQ(FreeImage_GetBPP(high.get()), 24u);

  FIBITMAP* image = MakeImage(20, 10, 32, Rgb(0, 255, 0, 255));
  testing::SetRgb(image, 0, 0, Rgb(255, 0, 0, 128));
  Image alpha(ApplyRotation(image, Rotation(90)));
  ASSERT_TRUE(alpha);
  EXPECT_EQ(FreeImage_GetBPP(alpha.get()), 32u);
  EXPECT_EQ(GetRgb(alpha.get(), 0, 19).rgbReserved, 128);
  EXPECT_EQ(GetRgb(alpha.get(), 5, 5).rgbReserved, 255);
}

TEST(ApplyRotation, SimpleRotationFillsTheCornersWithTheBackColour) {
  const struct {
    const char* back;
    RGBQUAD corner;
  } cases[] = {{"FF0000", Rgb(255, 0, 0)}, {"00ff00", Rgb(0, 255, 0)}, {"FF00", Rgb(0, 0, 0)}};
  for (const auto& c : cases) {
    Image out(ApplyRotation(MakeImage(40, 20, 24, Rgb(0, 0, 255)), Rotation(45, 0, c.back)));
    ASSERT_TRUE(out);
    const int width = static_cast<int>(FreeImage_GetWidth(out.get()));
    const int height = static_cast<int>(FreeImage_GetHeight(out.get()));
    EXPECT_GT(width, 40);  // the canvas grows to hold the turned picture
    EXPECT_GT(height, 20);
    EXPECT_TRUE(SameRgb(GetRgb(out.get(), 0, 0), c.corner)) << c.back;
    EXPECT_TRUE(SameRgb(GetRgb(out.get(), width - 1, height - 1), c.corner)) << c.back;
    EXPECT_TRUE(SameRgb(GetRgb(out.get(), width / 2, height / 2), Rgb(0, 0, 255)));
  }
}

TEST(ApplyRotation, AdvancedRotationKeepsTheSize) {
  Image out(ApplyRotation(MakeImage(200, 100, 24, Rgb(90, 90, 90)), Rotation(45, 1, "FF0000")));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetWidth(out.get()), 200u);
  EXPECT_EQ(FreeImage_GetHeight(out.get()), 100u);
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 100, 50), Rgb(90, 90, 90)));
}

TEST(ApplyRotation, AnUnknownTypeOnlyConvertsTheDepth) {
  Image out(ApplyRotation(testing::MakeGrey(20, 10, 5), Rotation(90, 2)));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetBPP(out.get()), 24u);
  EXPECT_EQ(FreeImage_GetWidth(out.get()), 20u);
}

}  // namespace
}  // namespace rondix
