#include "draw/rgba_image.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(ScaleAlpha, DropsTheFraction) {
  struct Case {
    int alpha, global, expected;
  };
  for (const Case& c : {Case{255, 128, 128}, Case{100, 128, 50}, Case{255, 255, 255},
                        Case{1, 254, 0}, Case{200, 0, 0}, Case{255, 300, 255}, Case{255, -5, 0}}) {
    EXPECT_EQ(ScaleAlpha(static_cast<uint8_t>(c.alpha), c.global), c.expected)
        << c.alpha << " x " << c.global;
  }
}

TEST(BlendOver, StraightAlphaSourceOver) {
  // Onto transparent: the source as it is.
  EXPECT_EQ(BlendOver({}, {10, 20, 30, 77}), (Rgba{10, 20, 30, 77}));
  // Opaque source covers.
  EXPECT_EQ(BlendOver({1, 2, 3, 200}, {9, 8, 7, 255}), (Rgba{9, 8, 7, 255}));
  // Half over opaque: the mean, opaque.
  EXPECT_EQ(BlendOver({0, 0, 0, 255}, {255, 255, 255, 128}), (Rgba{128, 128, 128, 255}));
  // Half over half: alpha 128 + 128 * 127 / 255 = 192; colour weighted 128*255 : 128*127.
  const Rgba mixed = BlendOver({0, 0, 255, 128}, {255, 0, 0, 128});
  EXPECT_EQ(mixed.alpha, 192);
  EXPECT_EQ(mixed.red, 170);
  EXPECT_EQ(mixed.blue, 85);
}

TEST(DrawAtAlpha, ScalesSourceAlphaAndClips) {
  RgbaImage target = *MakeRgbaImage(4, 4);
  const RgbaImage source = *MakeRgbaImage(3, 3, {200, 100, 50, 255});
  DrawAtAlpha(target, source, 2, -1, 128);
  // Colour kept, alpha 255 * 128 / 255; only the part inside the target.
  EXPECT_EQ(target.At(2, 0), (Rgba{200, 100, 50, 128}));
  EXPECT_EQ(target.At(3, 1), (Rgba{200, 100, 50, 128}));
  EXPECT_EQ(target.At(1, 0), Rgba{});
  EXPECT_EQ(target.At(2, 2), Rgba{});
}

TEST(ApplyGlobalAlpha, EqualsDrawingOntoTransparent) {
  RgbaImage source = *MakeRgbaImage(3, 1);
  source.pixels = {{255, 0, 0, 255}, {0, 255, 0, 100}, {0, 0, 255, 1}};
  RgbaImage drawn = *MakeRgbaImage(3, 1);
  DrawAtAlpha(drawn, source, 0, 0, 77);
  ApplyGlobalAlpha(source, 77);
  EXPECT_EQ(source.pixels, drawn.pixels);
}

TEST(MakeRgbaImage, RefusesEmptySides) {
  EXPECT_FALSE(MakeRgbaImage(0, 5));
  EXPECT_FALSE(MakeRgbaImage(5, -1));
}

}  // namespace
}  // namespace rondix
