// Small in-memory bitmaps for the engine's unit tests. Coordinates are top-down (row 0 is
// the top of the picture), unlike FreeImage's bottom-up scan lines.
#pragma once
#include <FreeImage.h>

#include <memory>

#include "core/settings.h"

namespace rondix::testing {

struct ImageDeleter {
  void operator()(FIBITMAP* image) const {
    if (image) FreeImage_Unload(image);
  }
};
using Image = std::unique_ptr<FIBITMAP, ImageDeleter>;

inline RGBQUAD Rgb(BYTE red, BYTE green, BYTE blue, BYTE alpha = 0) {
  RGBQUAD color{};
  color.rgbRed = red;
  color.rgbGreen = green;
  color.rgbBlue = blue;
  color.rgbReserved = alpha;
  return color;
}

inline bool SameRgb(RGBQUAD a, RGBQUAD b) {
  return a.rgbRed == b.rgbRed && a.rgbGreen == b.rgbGreen && a.rgbBlue == b.rgbBlue;
}

inline void SetRgb(FIBITMAP* image, int x, int y, RGBQUAD color) {
  FreeImage_SetPixelColor(image, x, FreeImage_GetHeight(image) - 1 - y, &color);
}

inline RGBQUAD GetRgb(FIBITMAP* image, int x, int y) {
  RGBQUAD color{};
  FreeImage_GetPixelColor(image, x, FreeImage_GetHeight(image) - 1 - y, &color);
  return color;
}

inline BYTE GetIndex(FIBITMAP* image, int x, int y) {
  BYTE index = 0;
  FreeImage_GetPixelIndex(image, x, FreeImage_GetHeight(image) - 1 - y, &index);
  return index;
}

// A 16-, 24- or 32-bit image filled with one colour (alpha from `fill`).
inline FIBITMAP* MakeImage(int width, int height, int bpp, RGBQUAD fill = Rgb(0, 0, 0)) {
  FIBITMAP* image = bpp == 16 ? FreeImage_Allocate(width, height, 16, FI16_555_RED_MASK,
                                                   FI16_555_GREEN_MASK, FI16_555_BLUE_MASK)
                              : FreeImage_Allocate(width, height, bpp);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) SetRgb(image, x, y, fill);
  }
  return image;
}

// An 8-bit image with a grey ramp palette, every pixel set to `level`.
inline FIBITMAP* MakeGrey(int width, int height, BYTE level) {
  FIBITMAP* image = FreeImage_Allocate(width, height, 8);
  RGBQUAD* palette = FreeImage_GetPalette(image);
  for (int i = 0; i < 256; ++i) palette[i] = Rgb(BYTE(i), BYTE(i), BYTE(i));
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) FreeImage_SetPixelIndex(image, x, y, &level);
  }
  return image;
}

// Settings as the desktop starts with them: every step off.
inline SettingsStore DefaultSettings() {
  SettingsStore settings;
  ResetSettings(settings, false);
  return settings;
}

}  // namespace rondix::testing
