#include "draw/freeimage_layer.h"

namespace rondix {

FIBITMAP* ToFreeImage(const RgbaImage& image) {
  if (image.width <= 0 || image.height <= 0) return nullptr;
  FIBITMAP* bitmap = FreeImage_Allocate(image.width, image.height, 32, FI_RGBA_RED_MASK,
                                        FI_RGBA_GREEN_MASK, FI_RGBA_BLUE_MASK);
  if (!bitmap) return nullptr;
  for (int y = 0; y < image.height; ++y) {
    // FreeImage keeps its rows bottom-up.
    BYTE* line = FreeImage_GetScanLine(bitmap, image.height - 1 - y);
    const Rgba* source = &image.pixels[static_cast<size_t>(y) * image.width];
    for (int x = 0; x < image.width; ++x, line += 4) {
      line[FI_RGBA_RED] = source[x].red;
      line[FI_RGBA_GREEN] = source[x].green;
      line[FI_RGBA_BLUE] = source[x].blue;
      line[FI_RGBA_ALPHA] = source[x].alpha;
    }
  }
  return bitmap;
}

std::optional<RgbaImage> FromFreeImage(FIBITMAP* bitmap) {
  if (!bitmap || FreeImage_GetImageType(bitmap) != FIT_BITMAP ||
      FreeImage_GetBPP(bitmap) != 32) {
    return std::nullopt;
  }
  const int width = static_cast<int>(FreeImage_GetWidth(bitmap));
  const int height = static_cast<int>(FreeImage_GetHeight(bitmap));
  std::optional<RgbaImage> image = MakeRgbaImage(width, height);
  if (!image) return std::nullopt;
  for (int y = 0; y < height; ++y) {
    const BYTE* line = FreeImage_GetScanLine(bitmap, height - 1 - y);
    for (int x = 0; x < width; ++x, line += 4) {
      image->At(x, y) = {line[FI_RGBA_RED], line[FI_RGBA_GREEN], line[FI_RGBA_BLUE],
                         line[FI_RGBA_ALPHA]};
    }
  }
  return image;
}

}  // namespace rondix
