#include "engine/frame.h"

#include <gtest/gtest.h>

#include "engine/bitmap_test_util.h"
#include "engine/color_parse.h"

namespace rondix {
namespace {

using testing::GetRgb;
using testing::Image;
using testing::MakeImage;
using testing::Rgb;
using testing::SameRgb;

class FrameTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings_ = testing::DefaultSettings();
    settings_.SetInt("Frame", "Do Frame", 1);
  }
  void Widths(int left, int right, int top, int bottom) {
    settings_.SetInt("Frame", "Solid Left", left);
    settings_.SetInt("Frame", "Solid Right", right);
    settings_.SetInt("Frame", "Solid Top", top);
    settings_.SetInt("Frame", "Solid Bottom", bottom);
  }
  void Colours(const char* left, const char* right, const char* top, const char* bottom) {
    settings_.SetText("Frame", "Solid Left Color", left);
    settings_.SetText("Frame", "Solid Right Color", right);
    settings_.SetText("Frame", "Solid Top Color", top);
    settings_.SetText("Frame", "Solid Bottom Color", bottom);
  }
  Image Draw(FIBITMAP* image) {
    const int w = static_cast<int>(FreeImage_GetWidth(image));
    const int h = static_cast<int>(FreeImage_GetHeight(image));
    return Image(DrawFrame(image, w, h, settings_));
  }

  SettingsStore settings_;
};

TEST_F(FrameTest, RedBorderLeavesTheInsideUnchanged) {
  Widths(10, 10, 10, 10);
  Colours("FF0000", "FF0000", "FF0000", "FF0000");
  Image framed = Draw(MakeImage(100, 80, 24, Rgb(10, 120, 200)));
  ASSERT_TRUE(framed);
  EXPECT_EQ(FreeImage_GetWidth(framed.get()), 100u);
  EXPECT_EQ(FreeImage_GetHeight(framed.get()), 80u);
  EXPECT_EQ(FreeImage_GetBPP(framed.get()), 24u);
  for (int y = 0; y < 80; ++y) {
    for (int x = 0; x < 100; ++x) {
      const bool border = x < 10 || x >= 90 || y < 10 || y >= 70;
      const RGBQUAD expected = border ? Rgb(255, 0, 0) : Rgb(10, 120, 200);
      ASSERT_TRUE(SameRgb(GetRgb(framed.get(), x, y), expected)) << x << "," << y;
    }
  }
}

TEST_F(FrameTest, CornerSquareIsSplitAlongTheDiagonal) {
  Widths(20, 20, 20, 20);
  Colours("00FF00", "FF0000", "0000FF", "FFFF00");
  Image framed = Draw(MakeImage(100, 80, 24, Rgb(0, 0, 0)));
  ASSERT_TRUE(framed);
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 20; ++x) {
      if (x == y) continue;  // the seam itself is a blend of both
      const RGBQUAD expected = y < x ? Rgb(0, 0, 255) : Rgb(0, 255, 0);
      EXPECT_TRUE(SameRgb(GetRgb(framed.get(), x, y), expected)) << x << "," << y;
    }
  }
  // The other corners: top-right split between top and right, bottom-left between left and
  // bottom, bottom-right between right and bottom.
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 85, 2), Rgb(0, 0, 255)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 97, 15), Rgb(255, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 2, 70), Rgb(0, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 15, 77), Rgb(255, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 97, 65), Rgb(255, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 85, 77), Rgb(255, 255, 0)));
}

TEST_F(FrameTest, UnequalWidthsMoveTheSeam) {
  // Seam from (0, 0) to (40, 10): y = x / 4.
  Widths(40, 0, 10, 0);
  Colours("00FF00", "000000", "0000FF", "000000");
  Image framed = Draw(MakeImage(100, 80, 24, Rgb(0, 0, 0)));
  ASSERT_TRUE(framed);
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 30, 2), Rgb(0, 0, 255)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 30, 9), Rgb(0, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 8, 5), Rgb(0, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 39, 40), Rgb(0, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 40, 40), Rgb(0, 0, 0)));
}

TEST_F(FrameTest, OpacityBlendsTheBorder) {
  Widths(10, 10, 10, 10);
  Colours("FF0000", "FF0000", "FF0000", "FF0000");
  settings_.SetInt("Frame", "Solid Opacity", 128);
  Image framed = Draw(MakeImage(60, 40, 24, Rgb(0, 0, 255)));
  ASSERT_TRUE(framed);
  // Layer alpha 255 * 128 / 255 = 128, composited (a * fg + (255 - a) * bg) >> 8.
  const RGBQUAD border = GetRgb(framed.get(), 3, 20);
  EXPECT_EQ(border.rgbRed, 127);
  EXPECT_EQ(border.rgbBlue, 126);
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 30, 20), Rgb(0, 0, 255)));

  settings_.SetInt("Frame", "Solid Opacity", 0);
  Image clear = Draw(MakeImage(60, 40, 24, Rgb(0, 0, 255)));
  for (int x = 0; x < 60; ++x) EXPECT_TRUE(SameRgb(GetRgb(clear.get(), x, 0), Rgb(0, 0, 255)));
}

TEST_F(FrameTest, EveryFrameKindButNoneGivesTwentyFourBits) {
  struct Case {
    int kind;
    unsigned bpp;
  };
  Widths(0, 0, 0, 0);
  for (const Case& c : {Case{0, 32}, Case{1, 24}, Case{2, 24}, Case{-1, 24}}) {
    settings_.SetInt("Frame", "Do Frame", c.kind);
    FIBITMAP* input = MakeImage(30, 20, 32, Rgb(40, 50, 60, 7));
    Image out = Draw(input);
    ASSERT_TRUE(out);
    EXPECT_EQ(FreeImage_GetBPP(out.get()), c.bpp) << c.kind;
    if (c.kind == 0) {
      EXPECT_EQ(out.get(), input);
    }
    for (int y = 0; y < 20; ++y) {
      for (int x = 0; x < 30; ++x) EXPECT_TRUE(SameRgb(GetRgb(out.get(), x, y), Rgb(40, 50, 60)));
    }
  }
}

TEST_F(FrameTest, ColourOfAnotherLengthIsBlack) {
  Widths(5, 5, 5, 5);
  Colours("F00", "FF0000", "FF0000", "FF0000");
  Image framed = Draw(MakeImage(40, 40, 24, Rgb(255, 255, 255)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 1, 20), Rgb(0, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 38, 20), Rgb(255, 0, 0)));
}

TEST(ParseColorAlpha, ColourWithTheGivenAlpha) {
  const RGBQUAD orange = ParseColorAlpha("FF8000", 200);
  EXPECT_EQ(orange.rgbRed, 255);
  EXPECT_EQ(orange.rgbGreen, 128);
  EXPECT_EQ(orange.rgbBlue, 0);
  EXPECT_EQ(orange.rgbReserved, 200);
  const RGBQUAD shortText = ParseColorAlpha("F00", 255);
  EXPECT_TRUE(SameRgb(shortText, Rgb(0, 0, 0)));
  EXPECT_EQ(shortText.rgbReserved, 255);
}

TEST(FrameBandPath, WritesEachDifferenceAsOneNumber) {
  const FrameWidths even{10, 10, 10, 10};
  EXPECT_EQ(FrameBandPath(FrameSide::Top, 100, 80, even), "M 0 0 l 100 0 l -10 10 l -80 0 Z");
  EXPECT_EQ(FrameBandPath(FrameSide::Right, 100, 80, even),
            "M 100 0 l 0 80 l -10 -10 l 0 -60 Z");
  EXPECT_EQ(FrameBandPath(FrameSide::Bottom, 100, 80, even),
            "M 100 80 l -100 0 l 10 -10 l 80 0 Z");
  EXPECT_EQ(FrameBandPath(FrameSide::Left, 100, 80, even), "M 0 80 l 0 -80 l 10 10 l 0 60 Z");
  // Widths wider than the image: the negated difference has two minus signs.
  EXPECT_EQ(FrameBandPath(FrameSide::Top, 100, 80, {60, 60, 10, 10}),
            "M 0 0 l 100 0 l -60 10 l --20 0 Z");
}

TEST_F(FrameTest, WidthsBeyondTheImageCoverIt) {
  Colours("FF0000", "FF0000", "FF0000", "FF0000");
  for (int width : {60, 500, 2000000000}) {
    Widths(width, width, width, width);
    Image framed = Draw(MakeImage(100, 80, 24, Rgb(0, 255, 0)));
    ASSERT_TRUE(framed) << width;
    for (int y = 0; y < 80; ++y) {
      for (int x = 0; x < 100; ++x) {
        ASSERT_TRUE(SameRgb(GetRgb(framed.get(), x, y), Rgb(255, 0, 0)))
            << width << ": " << x << "," << y;
      }
    }
  }
}

TEST_F(FrameTest, NegativeWidthDrawsNoBandOnThatSide) {
  Widths(-10, 10, 10, 10);
  Colours("FF0000", "FF0000", "FF0000", "FF0000");
  Image framed = Draw(MakeImage(100, 80, 24, Rgb(0, 255, 0)));
  ASSERT_TRUE(framed);
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 0, 40), Rgb(0, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 50, 5), Rgb(255, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(framed.get(), 95, 40), Rgb(255, 0, 0)));
}

TEST_F(FrameTest, NoImageGivesNone) {
  EXPECT_EQ(DrawFrame(nullptr, 10, 10, settings_), nullptr);
}

}  // namespace
}  // namespace rondix
