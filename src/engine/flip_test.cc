#include "engine/flip.h"

#include <gtest/gtest.h>

#include "engine/bitmap_test_util.h"

namespace rondix {
namespace {

using testing::GetRgb;
using testing::Image;
using testing::Rgb;
using testing::SameRgb;

// 3x2 picture with a distinct colour in every pixel: red = x * 50, green = y * 100.
FIBITMAP* Numbered() {
  FIBITMAP* image = testing::MakeImage(3, 2, 24);
  for (int y = 0; y < 2; ++y) {
    for (int x = 0; x < 3; ++x) testing::SetRgb(image, x, y, Rgb(BYTE(x * 50), BYTE(y * 100), 7));
  }
  return image;
}

TEST(ApplyFlip, MirrorsInPlace) {
  const struct {
    int horizontal, vertical;
  } cases[] = {{0, 0}, {1, 0}, {0, 1}, {1, 1}};
  for (const auto& c : cases) {
    SettingsStore settings = testing::DefaultSettings();
    settings.SetInt("Transform", "Do Image Flip Horizontal", c.horizontal);
    settings.SetInt("Transform", "Do Image Flip Vertical", c.vertical);
    Image image(Numbered());
    ApplyFlip(image.get(), settings);
    // Every pixel (x, y) now holds what was at the mirrored place.
    for (int y = 0; y < 2; ++y) {
      for (int x = 0; x < 3; ++x) {
        const int sourceX = c.horizontal ? 2 - x : x;
        const int sourceY = c.vertical ? 1 - y : y;
        EXPECT_TRUE(SameRgb(GetRgb(image.get(), x, y),
                            Rgb(BYTE(sourceX * 50), BYTE(sourceY * 100), 7)))
            << c.horizontal << c.vertical << " at " << x << "," << y;
      }
    }
  }
  ApplyFlip(nullptr, testing::DefaultSettings());  // nothing to do, no crash
}

}  // namespace
}  // namespace rondix
