#include "draw/canvas.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>

namespace rondix {
namespace {

struct FontDeleter {
  void operator()(WatermarkFont* f) const { FreeWatermarkFont(f); }
};
using FontPtr = std::unique_ptr<WatermarkFont, FontDeleter>;

FontPtr Font(const char* family, int size, bool bold = false, bool underline = false) {
  WatermarkFontSpec desc;
  desc.family = family;
  desc.sizePoints = size;
  desc.bold = bold;
  desc.underline = underline;
  return FontPtr(LoadWatermarkFont(desc));
}

TEST(Canvas, FillsWholePixelShapesExactly) {
  auto canvas = Canvas::Create(0, 0, 10, 10);
  ASSERT_TRUE(canvas);
  canvas->FillPath(*ParseSvgPath("M 2 3 l 4 0 l 0 5 l -4 0 Z"), {255, 0, 0, 255});
  const RgbaImage image = *canvas->ToStraight();
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 10; ++x) {
      const bool inside = x >= 2 && x < 6 && y >= 3 && y < 8;
      const Rgba expected = inside ? Rgba{255, 0, 0, 255} : Rgba{};
      EXPECT_EQ(image.At(x, y), expected) << x << "," << y;
    }
  }
}

TEST(Canvas, DiagonalEdgeIsAntialiasedAndUnpremultiplied) {
  auto canvas = Canvas::Create(0, 0, 8, 8);
  ASSERT_TRUE(canvas);
  canvas->FillPath(*ParseSvgPath("M 0 0 l 8 0 l -8 8 Z"), {0, 0, 255, 255});
  const RgbaImage image = *canvas->ToStraight();
  // A pixel cut by the diagonal is half covered; its colour stays pure blue.
  const Rgba edge = image.At(3, 4);
  EXPECT_GT(edge.alpha, 100);
  EXPECT_LT(edge.alpha, 160);
  EXPECT_EQ(edge.blue, 255);
  EXPECT_EQ(edge.red, 0);
  EXPECT_EQ(image.At(1, 1).alpha, 255);
  EXPECT_EQ(image.At(6, 6).alpha, 0);
}

TEST(Canvas, StripAtAnOffsetDrawsTheSamePixelsAsTheWholeLayer) {
  const PathFigures band = *ParseSvgPath("M 0 0 l 50 0 l -7 9 l -36 0 Z");
  auto whole = Canvas::Create(0, 0, 50, 20);
  auto strip = Canvas::Create(3, 2, 20, 10);
  ASSERT_TRUE(whole && strip);
  for (Canvas* c : {&*whole, &*strip}) {
    c->FillBox(0, 0, 7, 9, {0, 255, 0, 255});
    c->FillPath(band, {255, 0, 0, 255});
  }
  const RgbaImage a = *whole->ToStraight();
  const RgbaImage b = *strip->ToStraight();
  for (int y = 0; y < 10; ++y) {
    for (int x = 0; x < 20; ++x) {
      // Cairo may round a blended seam pixel one step differently on another surface.
      const Rgba p = b.At(x, y);
      const Rgba q = a.At(x + 3, y + 2);
      EXPECT_NEAR(p.red, q.red, 2) << x << "," << y;
      EXPECT_NEAR(p.green, q.green, 2) << x << "," << y;
      EXPECT_NEAR(p.blue, q.blue, 2) << x << "," << y;
      EXPECT_NEAR(p.alpha, q.alpha, 2) << x << "," << y;
    }
  }
}

TEST(Canvas, RefusesEmptySurfaces) {
  EXPECT_FALSE(Canvas::Create(0, 0, 0, 10));
  EXPECT_FALSE(Canvas::Create(0, 0, 10, -1));
}

TEST(WatermarkFont, LoadsInstalledFamiliesAndAliases) {
  FontPtr dejavu = Font("DejaVu Sans", 14);
  ASSERT_TRUE(dejavu);
  EXPECT_EQ(dejavu->installedFamily, "DejaVu Sans");
  FontPtr arial = Font("Arial", 14);
  ASSERT_TRUE(arial);
  EXPECT_EQ(arial->installedFamily, "Liberation Sans");
}

TEST(WatermarkFont, RefusesUnknownFamiliesAndSizes) {
  EXPECT_FALSE(Font("No Such Family Anywhere", 14));
  EXPECT_FALSE(Font("", 14));
  EXPECT_FALSE(Font("DejaVu Sans", 0));
  EXPECT_FALSE(Font("DejaVu Sans", -3));
  FreeWatermarkFont(nullptr);
}

TEST(WatermarkFont, SpecFromSettings) {
  SettingsStore settings;
  ResetSettings(settings, true);
  settings.SetText("Watermark", "Font", "Liberation Sans");
  settings.SetInt("Watermark", "Font Size", 20);
  struct Case {
    int style, effect;
    bool bold, italic, underline, strike;
  };
  for (const Case& c : {Case{0, 0, false, false, false, false}, Case{1, 1, true, false, true, false},
                        Case{2, 2, false, true, false, true}, Case{3, 0, true, true, false, false},
                        Case{7, 9, false, false, false, false}}) {
    settings.SetInt("Watermark", "Font Style", c.style);
    settings.SetInt("Watermark", "Font Effect", c.effect);
    const WatermarkFontSpec desc = WatermarkFontSpecFrom(settings);
    EXPECT_EQ(desc.family, "Liberation Sans");
    EXPECT_EQ(desc.sizePoints, 20);
    EXPECT_EQ(desc.bold, c.bold) << c.style;
    EXPECT_EQ(desc.italic, c.italic) << c.style;
    EXPECT_EQ(desc.underline, c.underline) << c.effect;
    EXPECT_EQ(desc.strikeThrough, c.strike) << c.effect;
  }
}

TEST(MeasureText, RasterSizesAreWholePixelsAndFollowTheFont) {
  FontPtr font = Font("DejaVu Sans", 14);
  FontPtr bold = Font("DejaVu Sans", 14, true);
  FontPtr big = Font("DejaVu Sans", 28);
  ASSERT_TRUE(font && bold && big);
  const TextExtent sample = *MeasureText(*font, "Sample", TextRendering::Raster);
  EXPECT_EQ(sample.width, static_cast<int>(sample.width));
  // 14 points at 96 dpi are 18.67 pixels: a line is a little taller than that.
  EXPECT_GE(sample.height, 19);
  EXPECT_LE(sample.height, 26);
  EXPECT_GT(sample.width, 40);
  EXPECT_GT(MeasureText(*font, "Sample Sample", TextRendering::Raster)->width, sample.width);
  EXPECT_GT(MeasureText(*bold, "Sample", TextRendering::Raster)->width, sample.width);
  EXPECT_GT(MeasureText(*big, "Sample", TextRendering::Raster)->height, sample.height * 1.7);
  // Smooth metrics stay close to the raster ones.
  EXPECT_NEAR(MeasureText(*font, "Sample", TextRendering::Antialiased)->width, sample.width, 4);
  // Invalid UTF-8 is measured, not refused.
  EXPECT_GT(MeasureText(*font, "a\xff" "b", TextRendering::Raster)->width, 0);
}

std::set<int> Alphas(const RgbaImage& image) {
  std::set<int> alphas;
  for (const Rgba& p : image.pixels) alphas.insert(p.alpha);
  return alphas;
}

TEST(DrawText, RasterTextHasNoSmoothingAntialiasedTextHas) {
  FontPtr font = Font("DejaVu Sans", 20);
  ASSERT_TRUE(font);
  auto raster = Canvas::Create(0, 0, 120, 40);
  auto smooth = Canvas::Create(0, 0, 120, 40);
  ASSERT_TRUE(raster && smooth);
  ASSERT_TRUE(raster->DrawText(*font, "Wave 8", 2, 2, {255, 255, 255, 255}, TextRendering::Raster));
  ASSERT_TRUE(
      smooth->DrawText(*font, "Wave 8", 2, 2, {255, 0, 0, 255}, TextRendering::Antialiased));
  EXPECT_EQ(Alphas(*raster->ToStraight()), (std::set<int>{0, 255}));
  const RgbaImage s = *smooth->ToStraight();
  EXPECT_GT(Alphas(s).size(), 10u);
  for (const Rgba& p : s.pixels) {
    if (p.alpha != 0) {
      EXPECT_EQ(p.red, 255);
    }
  }
}

TEST(DrawText, UnderlineAddsALineBelowTheText) {
  FontPtr plain = Font("DejaVu Sans", 20);
  FontPtr underlined = Font("DejaVu Sans", 20, false, true);
  ASSERT_TRUE(plain && underlined);
  const auto rowsWithInk = [](const WatermarkFont& font) {
    auto canvas = Canvas::Create(0, 0, 100, 40);
    canvas->DrawText(font, "ooo", 0, 0, {0, 0, 0, 255}, TextRendering::Raster);
    const RgbaImage image = *canvas->ToStraight();
    int lowest = -1;
    int widest = 0;
    for (int y = 0; y < image.height; ++y) {
      int count = 0;
      for (int x = 0; x < image.width; ++x) count += image.At(x, y).alpha != 0;
      if (count) lowest = y;
      widest = std::max(widest, count);
    }
    return std::pair{lowest, widest};
  };
  const auto [plainLowest, plainWidest] = rowsWithInk(*plain);
  const auto [lineLowest, lineWidest] = rowsWithInk(*underlined);
  EXPECT_GT(lineLowest, plainLowest);
  EXPECT_GT(lineWidest, plainWidest);
}

TEST(DrawText, TextOnAStripLandsInLayerCoordinates) {
  FontPtr font = Font("DejaVu Sans", 14);
  ASSERT_TRUE(font);
  auto whole = Canvas::Create(0, 0, 80, 30);
  auto strip = Canvas::Create(10, 5, 60, 20);
  for (Canvas* c : {&*whole, &*strip}) {
    c->DrawText(*font, "Hi there", 12, 6, {0, 0, 0, 255}, TextRendering::Raster);
  }
  const RgbaImage a = *whole->ToStraight();
  const RgbaImage b = *strip->ToStraight();
  int ink = 0;
  for (int y = 0; y < 20; ++y) {
    for (int x = 0; x < 60; ++x) {
      EXPECT_EQ(b.At(x, y).alpha, a.At(x + 10, y + 5).alpha);
      ink += b.At(x, y).alpha != 0;
    }
  }
  EXPECT_GT(ink, 20);
}

}  // namespace
}  // namespace rondix
