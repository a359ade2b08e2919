#include "engine/resize.h"

#include <algorithm>
#include <cmath>
#include <iterator>
#include <limits>

#include "engine/image_handover.h"
#include "engine/tga_probe.h"

namespace rondix {
namespace {

// Indexed by "Image Resize Algorithm"; the setting's order is not FreeImage's.
constexpr FREE_IMAGE_FILTER kResizeFilters[] = {
    FILTER_BOX, FILTER_BILINEAR, FILTER_BSPLINE, FILTER_BICUBIC, FILTER_CATMULLROM, FILTER_LANCZOS3,
};

// `target` / `ratio` in 32-bit float, halves away from zero. At least 1, so that a very
// wide or tall image still gets a picture instead of failing the file.
int32_t ProportionalSide(int32_t target, float ratio) {
  const float side = static_cast<float>(target) / ratio;
  return static_cast<int32_t>(std::max(1L, std::lround(side)));
}

// A target far beyond any real picture (a slip such as 2000000000) makes FreeImage ask for
// gigabytes and crash or exhaust memory, so such a resize fails the file instead: the result
// obeys the pixel limit of the input, and each side a limit on FreeImage's filter tables.
constexpr int64_t kMaxResizeSide = int64_t{1} << 24;

bool WithinLimits(int32_t width, int32_t height) {
  return width <= kMaxResizeSide && height <= kMaxResizeSide &&
         static_cast<uint64_t>(width) * static_cast<uint64_t>(height) <=
             MaxPixelsFromEnvironment();
}

}  // namespace

int32_t ScaledSize(int32_t value, int32_t unit, int32_t size) {
  switch (unit) {
    case 0:
      return value;
    case 1: {
      // Exact integer arithmetic: a double would turn 7% of 50 into 3.5000000000000004.
      const int64_t product = static_cast<int64_t>(value) * size;
      int64_t quotient = product / 100;
      int64_t remainder = product % 100;
      if (remainder < 0) {
        quotient -= 1;
        remainder += 100;
      }
      if (remainder > 50 || (remainder == 50 && (quotient & 1) != 0)) ++quotient;
      return static_cast<int32_t>(
          std::clamp<int64_t>(quotient, std::numeric_limits<int32_t>::min(),
                              std::numeric_limits<int32_t>::max()));
    }
    default:
      return 0;
  }
}

FREE_IMAGE_FILTER ResizeFilter(const SettingsStore& settings) {
  const int32_t algorithm = settings.Int("Transform", "Image Resize Algorithm");
  if (algorithm < 0 || algorithm >= static_cast<int32_t>(std::size(kResizeFilters))) {
    return FILTER_BICUBIC;
  }
  return kResizeFilters[algorithm];
}

FIBITMAP* ApplyResize(FIBITMAP* image, int width, int height, const SettingsStore& settings) {
  if (!image || settings.Int("Transform", "Do Image Resize") == 0) return image;
  if (width <= 0 || height <= 0) return image;
  const int32_t newWidth = ScaledSize(settings.Int("Transform", "Image Width"),
                                      settings.Int("Transform", "Image Width Unit"), width);
  const int32_t newHeight = ScaledSize(settings.Int("Transform", "Image Height"),
                                       settings.Int("Transform", "Image Height Unit"), height);
  if (newWidth <= 0 || newHeight <= 0) return image;
  if (width == newWidth && height == newHeight) return image;
  if (settings.Int("Transform", "Image Resize Type") == 1 && width < newWidth &&
      height < newHeight) {
    return image;
  }

  int32_t resultWidth = newWidth;
  int32_t resultHeight = newHeight;
  if (settings.Int("Transform", "Keep Aspect Ratio") != 0) {
    if (width >= height) {
      const float ratio = static_cast<float>(width) / static_cast<float>(height);
      resultHeight = ProportionalSide(newWidth, ratio);
    } else {
      const float ratio = static_cast<float>(height) / static_cast<float>(width);
      resultWidth = ProportionalSide(newHeight, ratio);
    }
  }
  if (!WithinLimits(resultWidth, resultHeight)) {
    FreeImage_Unload(image);
    return nullptr;
  }
  return Replaced(image,
                  FreeImage_Rescale(image, resultWidth, resultHeight, ResizeFilter(settings)));
}

}  // namespace rondix
