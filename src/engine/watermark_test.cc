#include "engine/watermark.h"

#include <gtest/gtest.h>

#include <cmath>
#include <fstream>
#include <memory>
#include <set>
#include <string>

#include "engine/bitmap_test_util.h"
#include "engine/conversion_run.h"
#include "engine/output_encoding.h"
#include "support/tga_writer.h"

namespace rondix {
namespace {

using testing::GetRgb;
using testing::Image;
using testing::MakeImage;
using testing::Rgb;
using testing::SameRgb;

struct FontDeleter {
  void operator()(WatermarkFont* f) const { FreeWatermarkFont(f); }
};
using FontPtr = std::unique_ptr<WatermarkFont, FontDeleter>;

FontPtr LoadFont(const char* family, int size) {
  WatermarkFontSpec desc;
  desc.family = family;
  desc.sizePoints = size;
  return FontPtr(LoadWatermarkFont(desc));
}

struct Bounds {
  int left = -1, top = -1, right = -1, bottom = -1;  // right and bottom exclusive
  bool operator==(const Bounds&) const = default;
};

std::ostream& operator<<(std::ostream& os, const Bounds& b) {
  return os << "(" << b.left << "," << b.top << ")-(" << b.right << "," << b.bottom << ")";
}

// Where the image differs from `background`.
Bounds Changed(FIBITMAP* image, RGBQUAD background) {
  Bounds b;
  const int w = static_cast<int>(FreeImage_GetWidth(image));
  const int h = static_cast<int>(FreeImage_GetHeight(image));
  for (int y = 0; y < h; ++y) {
    for (int x = 0; x < w; ++x) {
      if (SameRgb(GetRgb(image, x, y), background)) continue;
      if (b.left < 0 || x < b.left) b.left = x;
      if (b.top < 0) b.top = y;
      b.right = std::max(b.right, x + 1);
      b.bottom = y + 1;
    }
  }
  return b;
}

class WatermarkTest : public ::testing::Test {
 protected:
  void SetUp() override {
    settings = testing::DefaultSettings();
    font = LoadFont("DejaVu Sans", 14);
    ASSERT_TRUE(font);
    project.state.outputExtension = "png";
    project.state.targetBitsPerPixel = 24;
  }
  RunContext Context() { return RunContext{settings, project, progress, font.get(), {}}; }

  // A text watermark whose box is one solid colour, so its place shows in the pixels.
  void SolidTextBox(const char* text, const char* colour = "0000FF") {
    settings.SetInt("Watermark", "Do Watermark", 1);
    settings.SetText("Watermark", "Text", text);
    settings.SetText("Watermark", "Font Color", colour);
    settings.SetText("Watermark", "Back Color", colour);
    settings.SetInt("Watermark", "Back Opacity", 255);
    settings.SetInt("Watermark", "Text Opacity", 255);
  }
  // Size of the overlay the current settings give for a width x height image.
  std::pair<int, int> OverlaySize(int width, int height) {
    RunContext ctx = Context();
    Image overlay(BuildTextOverlay(ctx, width, height));
    if (!overlay) return {0, 0};
    return {static_cast<int>(FreeImage_GetWidth(overlay.get())),
            static_cast<int>(FreeImage_GetHeight(overlay.get()))};
  }
  Image Draw(FIBITMAP* image) {
    RunContext ctx = Context();
    return Image(DrawWatermark(image, static_cast<int>(FreeImage_GetWidth(image)),
                               static_cast<int>(FreeImage_GetHeight(image)), ctx));
  }
  std::string SavePicture(FIBITMAP* picture, const char* name,
                          FREE_IMAGE_FORMAT format = FIF_PNG) {
    const std::string path = scratch.File(name);
    EXPECT_TRUE(FreeImage_Save(format, picture, path.c_str(), 0));
    FreeImage_Unload(picture);
    return path;
  }
  void PictureWatermark(const std::string& path) {
    settings.SetInt("Watermark", "Do Watermark", 2);
    settings.SetText("Watermark", "Image", path);
    settings.SetInt("Watermark", "Image Position", 0);
    settings.SetInt("Watermark", "Image X Offset", 0);
    settings.SetInt("Watermark", "Image Y Offset", 0);
  }

  SettingsStore settings;
  Project project;
  ConversionProgress progress;
  FontPtr font;
  fixture::ScratchFolder scratch;
};

TEST(PlaceOverlay, PositionTable) {
  struct Case {
    int position, x, y;
  };
  // Area 400 x 300, overlay 101 x 51, offsets 10 and 7.
  for (const Case& c : {Case{0, 10, 7}, Case{1, 149, 7}, Case{2, 289, 7}, Case{3, 10, 124},
                        Case{4, 149, 124}, Case{5, 289, 124}, Case{6, 10, 242},
                        Case{7, 149, 242}, Case{8, 289, 242}, Case{9, 0, 0}, Case{-1, 0, 0}}) {
    const OverlayPosition at = PlaceOverlay(c.position, 400, 300, 101, 51, 10, 7);
    EXPECT_EQ(at.x, c.x) << c.position;
    EXPECT_EQ(at.y, c.y) << c.position;
  }
  // Centring drops the fraction toward zero, also when the overlay is larger.
  EXPECT_EQ(PlaceOverlay(4, 100, 100, 103, 103, 0, 0).x, -1);
}

TEST_F(WatermarkTest, TextBoxGoesWhereThePositionSays) {
  SolidTextBox("Sample");
  settings.SetInt("Watermark", "Text Padding", 3);
  settings.SetInt("Watermark", "Text X Offset", 10);
  settings.SetInt("Watermark", "Text Y Offset", 7);
  settings.SetInt("Frame", "Solid Left", 20);
  settings.SetInt("Frame", "Solid Right", 30);
  settings.SetInt("Frame", "Solid Top", 40);
  settings.SetInt("Frame", "Solid Bottom", 50);
  const auto [ow, oh] = OverlaySize(400, 300);
  ASSERT_GT(ow, 40);
  ASSERT_GT(oh, 20);

  struct Boundary {
    int doFrame, boundary, originX, originY, areaW, areaH;
  };
  // Inside the frame only when a frame is on and the boundary is "FRAME".
  for (const Boundary& b : {Boundary{0, 0, 0, 0, 400, 300}, Boundary{1, 0, 0, 0, 400, 300},
                            Boundary{0, 1, 0, 0, 400, 300}, Boundary{1, 1, 20, 40, 350, 210}}) {
    settings.SetInt("Frame", "Do Frame", b.doFrame);
    settings.SetInt("Watermark", "Text Boundary", b.boundary);
    const int xs[3] = {10, (b.areaW - ow) / 2, b.areaW - ow - 10};
    const int ys[3] = {7, (b.areaH - oh) / 2, b.areaH - oh - 7};
    for (int position = 0; position < 9; ++position) {
      settings.SetInt("Watermark", "Text Position", position);
      Image out = Draw(MakeImage(400, 300, 24, Rgb(0, 0, 0)));
      ASSERT_TRUE(out);
      const int x = b.originX + xs[position % 3];
      const int y = b.originY + ys[position / 3];
      EXPECT_EQ(Changed(out.get(), Rgb(0, 0, 0)), (Bounds{x, y, x + ow, y + oh}))
          << "position " << position << " frame " << b.doFrame << " boundary " << b.boundary;
    }
  }
}

TEST_F(WatermarkTest, FrameBoundaryPutsTheTopLeftInsideTheFrame) {
  SolidTextBox("Sample");
  settings.SetInt("Frame", "Do Frame", 1);
  for (const char* key : {"Solid Left", "Solid Right", "Solid Top", "Solid Bottom"}) {
    settings.SetInt("Frame", key, 20);
  }
  settings.SetInt("Watermark", "Text Position", 0);
  settings.SetInt("Watermark", "Text X Offset", 0);
  settings.SetInt("Watermark", "Text Y Offset", 0);
  settings.SetInt("Watermark", "Text Boundary", 1);
  Image inside = Draw(MakeImage(200, 100, 24, Rgb(0, 0, 0)));
  EXPECT_EQ(Changed(inside.get(), Rgb(0, 0, 0)).left, 20);
  EXPECT_EQ(Changed(inside.get(), Rgb(0, 0, 0)).top, 20);
  settings.SetInt("Watermark", "Text Boundary", 0);
  Image onFrame = Draw(MakeImage(200, 100, 24, Rgb(0, 0, 0)));
  EXPECT_EQ(Changed(onFrame.get(), Rgb(0, 0, 0)).left, 0);
  EXPECT_EQ(Changed(onFrame.get(), Rgb(0, 0, 0)).top, 0);
}

TEST_F(WatermarkTest, RightAlignedLinesEndAtThePadding) {
  TextBoxStyle style;
  style.padding = 5;
  style.alignment = 2;
  style.leading = 4;
  const TextBoxLayout box = LayOutTextBox(*font, "A%eol%BBBB", style);
  ASSERT_EQ(box.lines.size(), 2u);
  EXPECT_EQ(box.lines[0].text, "A");
  EXPECT_EQ(box.lines[1].text, "BBBB");
  const TextExtent a = *MeasureText(*font, "A", TextRendering::Raster);
  const TextExtent bbbb = *MeasureText(*font, "BBBB", TextRendering::Raster);
  const int lineHeight = static_cast<int>(std::max(a.height, bbbb.height));
  EXPECT_EQ(box.width, static_cast<int>(bbbb.width) + 10);
  EXPECT_EQ(box.height, 2 * lineHeight + 4 + 10);
  EXPECT_EQ(box.lines[0].x + static_cast<int>(a.width), box.width - 5);
  EXPECT_EQ(box.lines[1].x, 5);
  EXPECT_EQ(box.lines[0].y, 5);
  EXPECT_EQ(box.lines[1].y, 5 + lineHeight + 4);

  // The drawn text stays inside each line's cell, the short line right of the long one's start.
  SolidTextBox("A%eol%BBBB", "FFFFFF");
  settings.SetText("Watermark", "Back Color", "000000");
  settings.SetInt("Watermark", "Text Padding", 5);
  settings.SetInt("Watermark", "Text Alignment", 2);
  settings.SetInt("Watermark", "Font Leading", 4);
  RunContext ctx = Context();
  Image overlay(BuildTextOverlay(ctx, 100, 100));
  ASSERT_TRUE(overlay);
  ASSERT_EQ(static_cast<int>(FreeImage_GetWidth(overlay.get())), box.width);
  ASSERT_EQ(static_cast<int>(FreeImage_GetHeight(overlay.get())), box.height);
  int firstLineLeft = box.width;
  int secondLineLeft = box.width;
  for (int y = 0; y < box.height; ++y) {
    for (int x = 0; x < box.width; ++x) {
      if (GetRgb(overlay.get(), x, y).rgbRed != 255) continue;
      EXPECT_LT(x, box.width - 5 + 2) << x << "," << y;  // a glyph may overhang a pixel
      int& left = y < box.lines[1].y ? firstLineLeft : secondLineLeft;
      left = std::min(left, x);
    }
  }
  EXPECT_GE(firstLineLeft, box.lines[0].x);
  EXPECT_GE(secondLineLeft, 5);
  EXPECT_GT(firstLineLeft, secondLineLeft + 20);
}

TEST_F(WatermarkTest, LineBreaksInAnyCaseAndAlignments) {
  TextBoxStyle style;
  style.padding = 2;
  EXPECT_EQ(LayOutTextBox(*font, "Line1%EOL%Line2%Eol%x", style).lines.size(), 3u);
  EXPECT_EQ(LayOutTextBox(*font, "no break % eol %", style).lines.size(), 1u);

  const TextExtent wide = *MeasureText(*font, "Wider line", TextRendering::Raster);
  const TextExtent i = *MeasureText(*font, "i", TextRendering::Raster);
  struct Case {
    int alignment;
    int expectedX;
  };
  const int boxWidth = static_cast<int>(wide.width) + 4;
  const int spare = boxWidth - static_cast<int>(i.width);
  for (const Case& c : {Case{0, 2}, Case{1, (spare + 1) / 2}, Case{2, spare - 2}, Case{7, 0}}) {
    style.alignment = c.alignment;
    const TextBoxLayout box = LayOutTextBox(*font, "Wider line%eol%i", style);
    EXPECT_EQ(box.width, boxWidth);
    EXPECT_EQ(box.lines[1].x, c.expectedX) << c.alignment;
  }
  // Antialiased lines are placed by their smooth width, rounded; the box keeps its raster size.
  style.antialiased = true;
  const TextExtent rasterLine = *MeasureText(*font, "iiiiiiiiii", TextRendering::Raster);
  const TextExtent smoothLine = *MeasureText(*font, "iiiiiiiiii", TextRendering::Antialiased);
  const int smoothWidth = static_cast<int>(std::lround(smoothLine.width));
  ASSERT_NE(smoothWidth, static_cast<int>(rasterLine.width));  // else the rows prove nothing
  const int smoothSpare = boxWidth - smoothWidth;
  for (const Case& c : {Case{0, 2}, Case{1, (smoothSpare + 1) / 2}, Case{2, smoothSpare - 2}}) {
    style.alignment = c.alignment;
    const TextBoxLayout box = LayOutTextBox(*font, "Wider line%eol%iiiiiiiiii", style);
    EXPECT_EQ(box.width, boxWidth);
    EXPECT_EQ(box.lines[1].x, c.expectedX) << "antialiased " << c.alignment;
  }
  style.antialiased = false;
  // A single line always starts at the padding.
  style.alignment = 2;
  EXPECT_EQ(LayOutTextBox(*font, "i", style).lines[0].x, 2);
  // Several lines are at least 10 pixels wide.
  EXPECT_EQ(LayOutTextBox(*font, "%eol%", style).width, 10 + 4);
}

TEST_F(WatermarkTest, BoxOpacity) {
  SolidTextBox("Sample");
  settings.SetText("Watermark", "Back Color", "FFFFFF");
  settings.SetInt("Watermark", "Text Position", 0);
  settings.SetInt("Watermark", "Text X Offset", 0);
  settings.SetInt("Watermark", "Text Y Offset", 0);
  settings.SetInt("Watermark", "Text Padding", 10);
  for (int antialiasing : {0, 1}) {
    settings.SetInt("Watermark", "Text Antialiasing", antialiasing);
    // The default back opacity 1 leaves the box practically invisible.
    settings.SetInt("Watermark", "Back Opacity", 1);
    Image faint = Draw(MakeImage(300, 100, 24, Rgb(0, 0, 0)));
    EXPECT_LE(GetRgb(faint.get(), 2, 2).rgbRed, 1) << antialiasing;
    // 255: a solid box.
    settings.SetInt("Watermark", "Back Opacity", 255);
    Image solid = Draw(MakeImage(300, 100, 24, Rgb(0, 0, 0)));
    EXPECT_TRUE(SameRgb(GetRgb(solid.get(), 2, 2), Rgb(255, 255, 255))) << antialiasing;
    // 128: half and half.
    settings.SetInt("Watermark", "Back Opacity", 128);
    Image half = Draw(MakeImage(300, 100, 24, Rgb(0, 0, 0)));
    EXPECT_NEAR(GetRgb(half.get(), 2, 2).rgbRed, 128, 1) << antialiasing;
  }
}

TEST_F(WatermarkTest, RasterTextIsWrittenNotBlended) {
  SolidTextBox("WWW", "FF0000");
  settings.SetText("Watermark", "Back Color", "0000FF");
  settings.SetInt("Watermark", "Back Opacity", 255);
  settings.SetInt("Watermark", "Text Opacity", 255);
  RunContext ctx = Context();
  Image overlay(BuildTextOverlay(ctx, 100, 100));
  ASSERT_TRUE(overlay);
  int red = 0;
  for (unsigned y = 0; y < FreeImage_GetHeight(overlay.get()); ++y) {
    for (unsigned x = 0; x < FreeImage_GetWidth(overlay.get()); ++x) {
      const RGBQUAD p = GetRgb(overlay.get(), static_cast<int>(x), static_cast<int>(y));
      const bool text = SameRgb(p, Rgb(255, 0, 0));
      ASSERT_TRUE(text || SameRgb(p, Rgb(0, 0, 255)));
      ASSERT_EQ(p.rgbReserved, 255);
      red += text;
    }
  }
  EXPECT_GT(red, 30);

  // Text opacity is the text pixels' own alpha, written over the box's.
  settings.SetInt("Watermark", "Text Opacity", 100);
  settings.SetInt("Watermark", "Back Opacity", 30);
  Image faded(BuildTextOverlay(ctx, 100, 100));
  std::set<int> alphas;
  for (unsigned y = 0; y < FreeImage_GetHeight(faded.get()); ++y) {
    for (unsigned x = 0; x < FreeImage_GetWidth(faded.get()); ++x) {
      alphas.insert(GetRgb(faded.get(), static_cast<int>(x), static_cast<int>(y)).rgbReserved);
    }
  }
  EXPECT_EQ(alphas, (std::set<int>{30, 100}));
}

TEST_F(WatermarkTest, AntialiasedTextBlendsOverItsBox) {
  SolidTextBox("WWW", "FF0000");
  settings.SetText("Watermark", "Back Color", "0000FF");
  settings.SetInt("Watermark", "Text Antialiasing", 1);
  settings.SetInt("Watermark", "Back Opacity", 255);
  settings.SetInt("Watermark", "Text Opacity", 255);
  RunContext ctx = Context();
  Image overlay(BuildTextOverlay(ctx, 100, 100));
  ASSERT_TRUE(overlay);
  bool sawRed = false, sawBlend = false;
  for (unsigned y = 0; y < FreeImage_GetHeight(overlay.get()); ++y) {
    for (unsigned x = 0; x < FreeImage_GetWidth(overlay.get()); ++x) {
      const RGBQUAD p = GetRgb(overlay.get(), static_cast<int>(x), static_cast<int>(y));
      EXPECT_EQ(p.rgbReserved, 255);
      EXPECT_EQ(p.rgbRed + p.rgbBlue, 255) << x << "," << y;  // red over blue, nothing else
      sawRed = sawRed || p.rgbRed == 255;
      sawBlend = sawBlend || (p.rgbRed > 40 && p.rgbRed < 215);
    }
  }
  EXPECT_TRUE(sawRed);
  EXPECT_TRUE(sawBlend);
}

TEST_F(WatermarkTest, TextShowsThisFilesSizeAndDepth) {
  SolidTextBox("%width%x%height% %bpp%");
  project.state.finalWidth = 4000;  // what the previous file left behind
  project.state.finalHeight = 3000;
  project.state.automaticDepth = 1;
  project.state.loadedBitsPerPixel = 32;
  const auto [ow, oh] = OverlaySize(123, 45);
  EXPECT_EQ(ow, static_cast<int>(MeasureText(*font, "123x45 32", TextRendering::Raster)->width));
}

TEST_F(WatermarkTest, PictureGreyscaleAndOpacity) {
  const std::string path = SavePicture(MakeImage(20, 10, 24, Rgb(255, 0, 0)), "red.png");
  PictureWatermark(path);
  settings.SetInt("Watermark", "Image Greyscale", 1);
  Image grey = Draw(MakeImage(50, 50, 24, Rgb(0, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(grey.get(), 5, 5), Rgb(76, 76, 76)));
  EXPECT_EQ(Changed(grey.get(), Rgb(0, 0, 0)), (Bounds{0, 0, 20, 10}));

  settings.SetInt("Watermark", "Image Greyscale", 0);
  settings.SetInt("Watermark", "Image Opacity", 128);
  Image half = Draw(MakeImage(50, 50, 24, Rgb(0, 0, 255)));
  // Alpha 128: (128 * 255 + 127 * 0) >> 8 and (128 * 0 + 127 * 255) >> 8.
  EXPECT_TRUE(SameRgb(GetRgb(half.get(), 5, 5), Rgb(127, 0, 126)));

  // A picture with alpha: opacity scales it.
  const std::string alphaPath =
      SavePicture(MakeImage(20, 10, 32, Rgb(255, 255, 255, 128)), "alpha.png");
  settings.SetText("Watermark", "Image", alphaPath);
  settings.SetInt("Watermark", "Image Opacity", 255);
  Image translucent = Draw(MakeImage(50, 50, 24, Rgb(0, 0, 0)));
  EXPECT_EQ(GetRgb(translucent.get(), 5, 5).rgbRed, 127);
  settings.SetInt("Watermark", "Image Opacity", 0);
  Image invisible = Draw(MakeImage(50, 50, 24, Rgb(0, 0, 0)));
  EXPECT_EQ(Changed(invisible.get(), Rgb(0, 0, 0)), Bounds{});
}

TEST_F(WatermarkTest, PictureIsCutAtTheRightKeepingItsLeftPart) {
  FIBITMAP* picture = MakeImage(100, 20, 24, Rgb(255, 0, 0));
  for (int y = 0; y < 20; ++y) {
    for (int x = 50; x < 100; ++x) testing::SetRgb(picture, x, y, Rgb(0, 255, 0));
  }
  PictureWatermark(SavePicture(picture, "halves.bmp", FIF_BMP));
  settings.SetInt("Watermark", "Image X Offset", 50);
  Image out = Draw(MakeImage(120, 40, 24, Rgb(0, 0, 0)));
  ASSERT_TRUE(out);
  EXPECT_EQ(Changed(out.get(), Rgb(0, 0, 0)), (Bounds{50, 0, 120, 20}));
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 99, 5), Rgb(255, 0, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 100, 5), Rgb(0, 255, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(out.get(), 119, 19), Rgb(0, 255, 0)));
}

TEST_F(WatermarkTest, RotationTurnsTheOverlay) {
  PictureWatermark(SavePicture(MakeImage(200, 50, 24, Rgb(0, 0, 255)), "bar.png"));
  settings.SetInt("Watermark", "Image Rotation", 90);
  Image turned = Draw(MakeImage(300, 300, 24, Rgb(0, 0, 0)));
  EXPECT_EQ(Changed(turned.get(), Rgb(0, 0, 0)), (Bounds{0, 0, 50, 200}));
  // Other angles grow the overlay and leave its corners transparent.
  settings.SetInt("Watermark", "Image Rotation", 45);
  Image tilted = Draw(MakeImage(300, 300, 24, Rgb(0, 80, 0)));
  EXPECT_TRUE(SameRgb(GetRgb(tilted.get(), 1, 1), Rgb(0, 80, 0)));
  const Bounds b = Changed(tilted.get(), Rgb(0, 80, 0));
  EXPECT_GT(b.right - b.left, 170);
  EXPECT_GT(b.bottom - b.top, 170);
  // 0 and 360 do not turn it.
  for (int angle : {0, 360, -90}) {
    settings.SetInt("Watermark", "Image Rotation", angle);
    Image plain = Draw(MakeImage(300, 300, 24, Rgb(0, 0, 0)));
    EXPECT_EQ(Changed(plain.get(), Rgb(0, 0, 0)), (Bounds{0, 0, 200, 50})) << angle;
  }
}

TEST_F(WatermarkTest, NoOverlayLeavesATwentyFourBitImage) {
  const std::string empty = scratch.File("empty.png");
  { std::ofstream touch(empty); }
  const std::string text = scratch.File("text.jpg");
  std::ofstream(text) << "not a picture";
  for (const std::string& path : {scratch.File("missing.png"), empty, text, std::string()}) {
    PictureWatermark(path);
    FIBITMAP* input = MakeImage(40, 30, 32, Rgb(9, 8, 7, 255));
    Image out = Draw(input);
    ASSERT_TRUE(out) << path;
    EXPECT_EQ(FreeImage_GetBPP(out.get()), 24u);
    EXPECT_EQ(Changed(out.get(), Rgb(9, 8, 7)), Bounds{}) << path;
  }
  // A text watermark without a loaded font, and an unknown kind.
  font.reset();
  SolidTextBox("Sample");
  Image noFont = Draw(MakeImage(40, 30, 32, Rgb(9, 8, 7, 255)));
  ASSERT_TRUE(noFont);
  EXPECT_EQ(FreeImage_GetBPP(noFont.get()), 24u);
  settings.SetInt("Watermark", "Do Watermark", 3);
  Image unknown = Draw(MakeImage(40, 30, 32, Rgb(9, 8, 7, 255)));
  EXPECT_EQ(FreeImage_GetBPP(unknown.get()), 24u);
  // Off: the same image, untouched.
  settings.SetInt("Watermark", "Do Watermark", 0);
  FIBITMAP* input = MakeImage(40, 30, 32, Rgb(9, 8, 7, 255));
  Image same = Draw(input);
  EXPECT_EQ(same.get(), input);
  EXPECT_EQ(DrawWatermark(nullptr, 10, 10, Context()), nullptr);
}

TEST_F(WatermarkTest, OutsidePlacementsAndCutsToNothingDrawNothing) {
  PictureWatermark(SavePicture(MakeImage(30, 20, 24, Rgb(0, 0, 255)), "box.png"));
  struct Case {
    int position, xOffset, yOffset;
  };
  // Negative offsets push the picture over an edge; offsets as large as the image cut it
  // to nothing.
  for (const Case& c : {Case{0, -5, 0}, Case{0, 0, -1}, Case{8, -5, 10}, Case{8, 10, -3},
                        Case{0, 100, 0}, Case{0, 0, 80}, Case{8, 150, 0}, Case{4, 0, 1000}}) {
    settings.SetInt("Watermark", "Image Position", c.position);
    settings.SetInt("Watermark", "Image X Offset", c.xOffset);
    settings.SetInt("Watermark", "Image Y Offset", c.yOffset);
    Image out = Draw(MakeImage(100, 80, 24, Rgb(0, 0, 0)));
    ASSERT_TRUE(out);
    EXPECT_EQ(Changed(out.get(), Rgb(0, 0, 0)), Bounds{})
        << c.position << " " << c.xOffset << " " << c.yOffset;
  }
  // A frame wider than the image with boundary "FRAME" leaves no area at all.
  settings.SetInt("Watermark", "Image Position", 0);
  settings.SetInt("Watermark", "Image X Offset", 0);
  settings.SetInt("Watermark", "Image Y Offset", 0);
  settings.SetInt("Watermark", "Image Boundary", 1);
  settings.SetInt("Frame", "Do Frame", 1);
  settings.SetInt("Frame", "Solid Left", 70);
  settings.SetInt("Frame", "Solid Right", 70);
  Image out = Draw(MakeImage(100, 80, 24, Rgb(0, 0, 0)));
  ASSERT_TRUE(out);
  EXPECT_EQ(Changed(out.get(), Rgb(0, 0, 0)), Bounds{});
}

// The whole conversion: the frame and then the watermark, laid out on the resized image,
// in the written file.
TEST_F(WatermarkTest, FrameAndWatermarkReachTheWrittenFile) {
  fixture::TgaSpec desc;
  desc.width = 60;
  desc.height = 40;
  desc.pixels.assign(60 * 40, fixture::Rgba{255, 255, 255});
  const std::string input = scratch.File("White.tga");
  ASSERT_TRUE(fixture::WriteTga(input, desc));
  project.inputs[input] = InputEntry{1, ""};
  project.state.currentOutputFolder = scratch.path() + "/";
  PrepareOutputFormat("png", settings, project.state);

  settings.SetInt("Transform", "Do Image Resize", 1);
  settings.SetInt("Transform", "Image Width", 120);
  settings.SetInt("Transform", "Image Height", 80);
  settings.SetInt("Frame", "Do Frame", 1);
  for (const char* key : {"Solid Left", "Solid Right", "Solid Top", "Solid Bottom"}) {
    settings.SetInt("Frame", key, 5);
  }
  for (const char* key : {"Solid Left Color", "Solid Right Color", "Solid Top Color",
                          "Solid Bottom Color"}) {
    settings.SetText("Frame", key, "FF0000");
  }
  PictureWatermark(SavePicture(MakeImage(10, 10, 24, Rgb(0, 0, 255)), "blue.png"));
  settings.SetInt("Watermark", "Image Boundary", 1);
  settings.SetInt("Watermark", "Image Position", 8);

  RunContext ctx = Context();
  ASSERT_EQ(RunConversion(ctx), 1);
  const fixture::RgbaImage out = fixture::ReadRgba(scratch.File("White.png"));
  ASSERT_EQ(out.width, 120u);
  ASSERT_EQ(out.height, 80u);
  EXPECT_EQ(out.at(0, 0), (fixture::Rgba{255, 0, 0}));
  EXPECT_EQ(out.at(119, 79), (fixture::Rgba{255, 0, 0}));
  EXPECT_EQ(out.at(60, 40), (fixture::Rgba{255, 255, 255}));
  // Bottom-right inside the frame: x 105..114, y 65..74.
  EXPECT_EQ(out.at(105, 65), (fixture::Rgba{0, 0, 255}));
  EXPECT_EQ(out.at(114, 74), (fixture::Rgba{0, 0, 255}));
  EXPECT_EQ(out.at(104, 65), (fixture::Rgba{255, 255, 255}));
  EXPECT_EQ(out.at(114, 75), (fixture::Rgba{255, 0, 0}));
}

}  // namespace
}  // namespace rondix
