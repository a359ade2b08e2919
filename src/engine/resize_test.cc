#include "engine/resize.h"

#include <gtest/gtest.h>

#include <cstdlib>

#include "engine/bitmap_test_util.h"

namespace rondix {
namespace {

using testing::Image;
using testing::MakeImage;

TEST(ScaledSize, PercentRoundsHalvesToEven) {
  const struct {
    int32_t value, unit, size, expected;
  } cases[] = {
      {50, 1, 1001, 500},  // 500.5
      {50, 1, 1003, 502},  // 501.5
      {7, 1, 50, 4},       // 3.5, exact although 0.07 * 50 is not in binary
      {10, 1, 25, 2},      // 2.5
      {30, 1, 5, 2},       // 1.5
      {33, 1, 10, 3},      // 3.3
      {67, 1, 10, 7},      // 6.7
      {200, 1, 640, 1280},
      {-50, 1, 3, -2},     // -1.5
      {800, 0, 5, 800},
      {800, 2, 5, 0},
      {800, -1, 5, 0},
  };
  for (const auto& c : cases) {
    EXPECT_EQ(ScaledSize(c.value, c.unit, c.size), c.expected)
        << c.value << " " << c.unit << " " << c.size;
  }
}

TEST(ResizeFilter, MapsTheAlgorithmToFreeImageFilters) {
  const struct {
    int algorithm;
    FREE_IMAGE_FILTER filter;
  } cases[] = {{0, FILTER_BOX},        {1, FILTER_BILINEAR}, {2, FILTER_BSPLINE},
               {3, FILTER_BICUBIC},    {4, FILTER_CATMULLROM}, {5, FILTER_LANCZOS3},
               {6, FILTER_BICUBIC},    {-1, FILTER_BICUBIC}};
  for (const auto& c : cases) {
    SettingsStore settings = testing::DefaultSettings();
    settings.SetInt("Transform", "Image Resize Algorithm", c.algorithm);
    EXPECT_EQ(ResizeFilter(settings), c.filter) << c.algorithm;
  }
}

struct ResizeCase {
  int width, height;
  int targetWidth, widthUnit, targetHeight, heightUnit;
  int keepAspect, resizeType;
  int expectedWidth, expectedHeight;
  bool unchanged;  // the very image comes back
};

TEST(ApplyResize, SizesByTheSettings) {
  const ResizeCase cases[] = {
      // Keep aspect: the longer side takes its target, the other target is ignored.
      {1600, 1200, 800, 0, 800, 0, 1, 0, 800, 600, false},
      {1200, 1600, 800, 0, 800, 0, 1, 0, 600, 800, false},
      {1600, 1200, 800, 0, 1, 0, 1, 0, 800, 600, false},
      {300, 300, 100, 0, 50, 0, 1, 0, 100, 100, false},
      // The other side is target / ratio in 32-bit float, halves away from zero.
      {400, 100, 10, 0, 10, 0, 1, 0, 10, 3, false},   // 2.5
      {600, 500, 75, 0, 75, 0, 1, 0, 75, 62, false},  // 62.4999962 in float, 62.5 exactly
      {500, 600, 75, 0, 75, 0, 1, 0, 62, 75, false},
      // Keep aspect off: both targets.
      {1600, 1200, 800, 0, 100, 0, 0, 0, 800, 100, false},
      // Only larger images: smaller in both directions stays, reaching one is resized.
      {640, 480, 800, 0, 600, 0, 0, 1, 640, 480, true},
      {640, 700, 800, 0, 600, 0, 0, 1, 800, 600, false},
      {640, 480, 800, 0, 600, 0, 0, 0, 800, 600, false},
      // Percent of the current size.
      {1001, 1003, 50, 1, 50, 1, 0, 0, 500, 502, false},
      // A target equal to the current size, or not positive, does nothing.
      {640, 480, 640, 0, 480, 0, 1, 0, 640, 480, true},
      {640, 480, 0, 0, 480, 0, 0, 0, 640, 480, true},
      {640, 480, 320, 0, -5, 0, 1, 0, 640, 480, true},
      {640, 480, 320, 0, 240, 3, 0, 0, 640, 480, true},
      // A very wide image keeps at least one row instead of failing.
      {4000, 10, 100, 0, 100, 0, 1, 0, 100, 1, false},
  };
  for (const ResizeCase& c : cases) {
    SettingsStore settings = testing::DefaultSettings();
    settings.SetInt("Transform", "Do Image Resize", 1);
    settings.SetInt("Transform", "Image Width", c.targetWidth);
    settings.SetInt("Transform", "Image Width Unit", c.widthUnit);
    settings.SetInt("Transform", "Image Height", c.targetHeight);
    settings.SetInt("Transform", "Image Height Unit", c.heightUnit);
    settings.SetInt("Transform", "Keep Aspect Ratio", c.keepAspect);
    settings.SetInt("Transform", "Image Resize Type", c.resizeType);
    FIBITMAP* image = MakeImage(c.width, c.height, 24);
    Image out(ApplyResize(image, c.width, c.height, settings));
    ASSERT_TRUE(out) << c.width << "x" << c.height;
    EXPECT_EQ(out.get() == image, c.unchanged) << c.width << "x" << c.height;
    EXPECT_EQ(FreeImage_GetWidth(out.get()), static_cast<unsigned>(c.expectedWidth))
        << c.width << "x" << c.height << " -> " << c.targetWidth << "x" << c.targetHeight;
    EXPECT_EQ(FreeImage_GetHeight(out.get()), static_cast<unsigned>(c.expectedHeight))
        << c.width << "x" << c.height << " -> " << c.targetWidth << "x" << c.targetHeight;
  }
}

TEST(ApplyResize, DoesNothingWhenOff) {
  SettingsStore settings = testing::DefaultSettings();
  settings.SetInt("Transform", "Image Width", 10);
  settings.SetInt("Transform", "Image Height", 10);
  EXPECT_EQ(ApplyResize(nullptr, 20, 20, settings), nullptr);
  Image image(MakeImage(20, 20, 24));
  EXPECT_EQ(ApplyResize(image.get(), 20, 20, settings), image.get());
}

TEST(ApplyResize, ATargetBeyondTheLimitsFailsInsteadOfExhaustingMemory) {
  const struct {
    int targetWidth, targetHeight;
    const char* maxPixels;  // RONDIX_MAX_PIXELS, or null for the default
    bool fails;
  } cases[] = {
      {2000000000, 1, nullptr, true},         // FreeImage crashed on such a row
      {1, 2000000000, nullptr, true},
      {100000, 100000, nullptr, true},        // 10^10 pixels
      {(1 << 24) + 1, 1, "100000000000", true},  // side limit, whatever the pixel limit
      {100, 100, "10000", false},
      {101, 100, "10000", true},
  };
  for (const auto& c : cases) {
    if (c.maxPixels) setenv("RONDIX_MAX_PIXELS", c.maxPixels, 1);
    SettingsStore settings = testing::DefaultSettings();
    settings.SetInt("Transform", "Do Image Resize", 1);
    settings.SetInt("Transform", "Image Width", c.targetWidth);
    settings.SetInt("Transform", "Image Height", c.targetHeight);
    settings.SetInt("Transform", "Keep Aspect Ratio", 0);
    Image out(ApplyResize(MakeImage(20, 20, 24), 20, 20, settings));
    unsetenv("RONDIX_MAX_PIXELS");
    EXPECT_EQ(out.get() == nullptr, c.fails) << c.targetWidth << "x" << c.targetHeight;
  }
}

TEST(ApplyResize, KeepsTheColours) {
  SettingsStore settings = testing::DefaultSettings();
  settings.SetInt("Transform", "Do Image Resize", 1);
  settings.SetInt("Transform", "Image Width", 10);
  settings.SetInt("Transform", "Image Height", 10);
  Image out(ApplyResize(MakeImage(40, 40, 32, testing::Rgb(200, 100, 50, 255)), 40, 40, settings));
  ASSERT_TRUE(out);
  EXPECT_EQ(FreeImage_GetBPP(out.get()), 32u);
  EXPECT_TRUE(testing::SameRgb(testing::GetRgb(out.get(), 5, 5), testing::Rgb(200, 100, 50)));
}

}  // namespace
}  // namespace rondix
