#include "draw/rgba_image.h"

#include <algorithm>
#include <new>
#include <stdexcept>

namespace rondix {

std::optional<RgbaImage> MakeRgbaImage(int width, int height, Rgba fill) {
  if (width <= 0 || height <= 0) return std::nullopt;
  RgbaImage image;
  image.width = width;
  image.height = height;
  try {
    image.pixels.assign(static_cast<size_t>(width) * static_cast<size_t>(height), fill);
  } catch (const std::bad_alloc&) {
    return std::nullopt;
  } catch (const std::length_error&) {
    return std::nullopt;
  }
  return image;
}

uint8_t ScaleAlpha(uint8_t alpha, int globalAlpha) {
  const int g = std::clamp(globalAlpha, 0, 255);
  return static_cast<uint8_t>(alpha * g / 255);
}

Rgba BlendOver(Rgba under, Rgba over) {
  const int sa = over.alpha;
  if (sa == 255 || under.alpha == 0) return over;
  if (sa == 0) return under;
  // Weights in units of 1/(255*255): the source takes sa*255, the destination da*(255-sa).
  const int ws = sa * 255;
  const int wd = under.alpha * (255 - sa);
  const int total = ws + wd;  // out alpha * 255
  auto channel = [&](int s, int d) {
    return static_cast<uint8_t>((s * ws + d * wd + total / 2) / total);
  };
  Rgba out;
  out.red = channel(over.red, under.red);
  out.green = channel(over.green, under.green);
  out.blue = channel(over.blue, under.blue);
  out.alpha = static_cast<uint8_t>((total + 127) / 255);
  return out;
}

void DrawAtAlpha(RgbaImage& target, const RgbaImage& source, int x, int y, int globalAlpha) {
  const int x0 = std::max(0, x);
  const int y0 = std::max(0, y);
  const int x1 = std::min(target.width, x + source.width);
  const int y1 = std::min(target.height, y + source.height);
  for (int ty = y0; ty < y1; ++ty) {
    for (int tx = x0; tx < x1; ++tx) {
      Rgba s = source.At(tx - x, ty - y);
      s.alpha = ScaleAlpha(s.alpha, globalAlpha);
      if (s.alpha == 0) continue;
      Rgba& d = target.At(tx, ty);
      d = BlendOver(d, s);
    }
  }
}

void ApplyGlobalAlpha(RgbaImage& image, int globalAlpha) {
  if (globalAlpha >= 255) return;
  for (Rgba& p : image.pixels) {
    p.alpha = ScaleAlpha(p.alpha, globalAlpha);
    if (p.alpha == 0) p = Rgba{};
  }
}

void StampCovered(RgbaImage& target, const RgbaImage& coverage, Rgba colour) {
  const int width = std::min(target.width, coverage.width);
  const int height = std::min(target.height, coverage.height);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      if (coverage.At(x, y).alpha != 0) target.At(x, y) = colour;
    }
  }
}

}  // namespace rondix
