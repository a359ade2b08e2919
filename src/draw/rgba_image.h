// Straight-alpha RGBA pixel buffers: the layers the frame and the watermark are built in
// before FreeImage sees them, and the blending rules that must be exact on them.
#pragma once
#include <cstdint>
#include <optional>
#include <vector>

namespace rondix {

struct Rgba {
  uint8_t red = 0;
  uint8_t green = 0;
  uint8_t blue = 0;
  uint8_t alpha = 0;  // straight: the colour is not multiplied by it
};

inline bool operator==(const Rgba& a, const Rgba& b) {
  return a.red == b.red && a.green == b.green && a.blue == b.blue && a.alpha == b.alpha;
}

// Rows top-down, no padding.
struct RgbaImage {
  int width = 0;
  int height = 0;
  std::vector<Rgba> pixels;

  Rgba& At(int x, int y) { return pixels[static_cast<size_t>(y) * width + x]; }
  const Rgba& At(int x, int y) const { return pixels[static_cast<size_t>(y) * width + x]; }
};

// An image filled with `fill`; nothing when a side is not positive or memory runs out.
std::optional<RgbaImage> MakeRgbaImage(int width, int height, Rgba fill = {});

// alpha x globalAlpha / 255 with the fraction dropped; globalAlpha is clamped to 0..255.
uint8_t ScaleAlpha(uint8_t alpha, int globalAlpha);

// Draws `source` onto `target` with its top-left at (x, y), each source pixel's alpha first
// scaled by `globalAlpha` (ScaleAlpha), then blended by source-over on straight alpha.
// Onto a transparent target this keeps the source colour and gives the scaled alpha.
// Parts outside the target are clipped.
void DrawAtAlpha(RgbaImage& target, const RgbaImage& source, int x, int y, int globalAlpha);

// What drawing `image` at `globalAlpha` onto a transparent image of its size gives, done in
// place: each alpha scaled by ScaleAlpha, the colour kept (cleared where alpha becomes 0).
void ApplyGlobalAlpha(RgbaImage& image, int globalAlpha);

// Source-over of one straight-alpha pixel over another; `over.alpha` is the final source
// alpha. The results are rounded to the nearest integer.
Rgba BlendOver(Rgba under, Rgba over);

// Writes `colour` (no blending) into every pixel of `target` where `coverage`, laid over
// it at (0, 0), is not transparent: plain raster text stamped in its colour and opacity.
void StampCovered(RgbaImage& target, const RgbaImage& coverage, Rgba colour);

}  // namespace rondix
