#include "engine/color_adjust.h"

#include <gtest/gtest.h>

#include "engine/bitmap_test_util.h"

namespace rondix {
namespace {

using testing::GetIndex;
using testing::GetRgb;
using testing::Image;
using testing::MakeImage;
using testing::Rgb;
using testing::SameRgb;

SettingsStore Correction(int brightness, int contrast, float gamma, int invert) {
  SettingsStore settings = testing::DefaultSettings();
  settings.SetInt("Adjustment", "Do Image Color Correction", 1);
  settings.SetInt("Adjustment", "Image Brightness", brightness);
  settings.SetInt("Adjustment", "Image Contrast", contrast);
  settings.SetFloat("Adjustment", "Image Gamma", gamma);
  settings.SetInt("Adjustment", "Image Invert", invert);
  return settings;
}

TEST(ApplyColorCorrection, NeutralSettingsKeepThePixels) {
  FIBITMAP* image = MakeImage(4, 4, 24, Rgb(10, 128, 250));
  Image out(ApplyColorCorrection(image, Correction(0, 0, 1.0f, 0)));
  EXPECT_EQ(out.get(), image);
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 1, 1), Rgb(10, 128, 250)));
}

TEST(ApplyColorCorrection, InvertsAndBrightensInPlace) {
  FIBITMAP* image = MakeImage(4, 4, 32, Rgb(10, 128, 250, 77));
  Image out(ApplyColorCorrection(image, Correction(0, 0, 1.0f, 1)));
  EXPECT_EQ(out.get(), image);
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 1, 1), Rgb(245, 127, 5)));
  EXPECT_EQ(GetRgb(out.get(), 1, 1).rgbReserved, 77);  // alpha untouched

  Image grey(ApplyColorCorrection(testing::MakeGrey(4, 4, 100), Correction(50, 0, 1.0f, 0)));
  ASSERT_TRUE(grey);
  EXPECT_EQ(FreeImage_GetBPP(grey.get()), 8u);
  EXPECT_GT(GetIndex(grey.get(), 1, 1), 100);
}

TEST(ApplyColorCorrection, WidensDepthsFreeImageCannotAdjust) {
  // 16-bit images are widened too, so the correction is not silently skipped.
  Image high(ApplyColorCorrection(MakeImage(4, 4, 16, Rgb(0, 0, 0)), Correction(0, 0, 1.0f, 1)));
  ASSERT_TRUE(high);
  EXPECT_EQ(FreeImage_GetBPP(high.get()), 24u);
  EXPECT_TRUE(SameRgb(GetRgb(high.get(), 1, 1), Rgb(255, 255, 255)));

  Image mono(ApplyColorCorrection(FreeImage_Allocate(4, 4, 1), Correction(0, 0, 1.0f, 0)));
  ASSERT_TRUE(mono);
  EXPECT_EQ(FreeImage_GetBPP(mono.get()), 24u);
}

TEST(ApplyGreyscale, GivesEightBitGrey) {
  const struct {
    FIBITMAP* image;
    BYTE grey;
  } cases[] = {
      {MakeImage(4, 4, 32, Rgb(200, 200, 200, 10)), 200},
      {MakeImage(4, 4, 24, Rgb(255, 0, 0)), 54},  // Rec. 709 weights, as FreeImage uses
      {FreeImage_AllocateT(FIT_RGB16, 4, 4), 0},
  };
  for (const auto& c : cases) {
    Image out(ApplyGreyscale(c.image, [] {
      SettingsStore settings = testing::DefaultSettings();
      settings.SetInt("Adjustment", "Do Image Greyscale", 1);
      return settings;
    }()));
    ASSERT_TRUE(out);
    EXPECT_EQ(FreeImage_GetBPP(out.get()), 8u);
    EXPECT_EQ(FreeImage_GetColorType(out.get()), FIC_MINISBLACK);
    EXPECT_NEAR(GetIndex(out.get(), 1, 1), c.grey, 1);
  }
}

TEST(ApplyThreshold, GivesOneBitWithTheLowByteAsLevel) {
  for (int level : {128, 384}) {
    SettingsStore settings = testing::DefaultSettings();
    settings.SetInt("Adjustment", "Do Image Threshold", 1);
    settings.SetInt("Adjustment", "Image Threshold", level);
    FIBITMAP* image = MakeImage(4, 4, 24, Rgb(127, 127, 127));
    testing::SetRgb(image, 0, 0, Rgb(129, 129, 129));
    Image out(ApplyThreshold(image, settings));
    ASSERT_TRUE(out) << level;
    EXPECT_EQ(FreeImage_GetBPP(out.get()), 1u);
    EXPECT_EQ(GetIndex(out.get(), 0, 0), 1) << level;
    EXPECT_EQ(GetIndex(out.get(), 1, 1), 0) << level;
  }
}

TEST(ApplyDither, GivesOneBit) {
  SettingsStore settings = testing::DefaultSettings();
  settings.SetInt("Adjustment", "Do Image Dither", 1);
  FIBITMAP* image = MakeImage(8, 8, 24, Rgb(0, 0, 0));
  testing::SetRgb(image, 0, 0, Rgb(255, 255, 255));
  Image out(ApplyDither(image, settings));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetBPP(out.get()), 1u);
  EXPECT_EQ(GetIndex(out.get(), 0, 0), 1);
  EXPECT_EQ(GetIndex(out.get(), 4, 4), 0);
}

TEST(ApplyDither, AfterThresholdKeepsTheBlackAndWhitePicture) {
  SettingsStore settings = testing::DefaultSettings();
  settings.SetInt("Adjustment", "Do Image Threshold", 1);
  settings.SetInt("Adjustment", "Image Threshold", 128);
  settings.SetInt("Adjustment", "Do Image Dither", 1);
  FIBITMAP* image = MakeImage(8, 8, 24, Rgb(20, 20, 20));
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 4; ++x) testing::SetRgb(image, x, y, Rgb(230, 230, 230));
  }
  Image out(ApplyDither(ApplyThreshold(image, settings), settings));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetBPP(out.get()), 1u);
  for (int y = 0; y < 8; ++y) {
    for (int x = 0; x < 8; ++x) EXPECT_EQ(GetIndex(out.get(), x, y), x < 4 ? 1 : 0);
  }
}

TEST(DitherMethod, MapsTheAlgorithmToFreeImageMethods) {
  const struct {
    int algorithm;
    FREE_IMAGE_DITHER method;
  } cases[] = {{0, FID_FS},          {1, FID_BAYER4x4},   {2, FID_BAYER8x8},
               {3, FID_BAYER16x16},  {4, FID_CLUSTER6x6}, {5, FID_CLUSTER8x8},
               {6, FID_CLUSTER16x16}, {7, FID_FS},        {-1, FID_FS}};
  for (const auto& c : cases) {
    SettingsStore settings = testing::DefaultSettings();
    settings.SetInt("Adjustment", "Image Dither Algorithm", c.algorithm);
    EXPECT_EQ(DitherMethod(settings), c.method) << c.algorithm;
  }
}

}  // namespace
}  // namespace rondix
