#include "engine/color_adjust.h"

#include <iterator>

#include "engine/image_handover.h"

namespace rondix {
namespace {

// Indexed by "Image Dither Algorithm"; the last four differ from FreeImage's order.
constexpr FREE_IMAGE_DITHER kDitherMethods[] = {
    FID_FS,           FID_BAYER4x4,     FID_BAYER8x8,     FID_BAYER16x16,
    FID_CLUSTER6x6,   FID_CLUSTER8x8,   FID_CLUSTER16x16,
};

bool Enabled(const SettingsStore& settings, std::string_view key) {
  return settings.Int("Adjustment", key) != 0;
}

}  // namespace

FREE_IMAGE_DITHER DitherMethod(const SettingsStore& settings) {
  const int32_t algorithm = settings.Int("Adjustment", "Image Dither Algorithm");
  if (algorithm < 0 || algorithm >= static_cast<int32_t>(std::size(kDitherMethods))) {
    return FID_FS;
  }
  return kDitherMethods[algorithm];
}

FIBITMAP* ApplyColorCorrection(FIBITMAP* image, const SettingsStore& settings) {
  if (!image || !Enabled(settings, "Do Image Color Correction")) return image;
  // FreeImage adjusts only 8-, 24- and 32-bit images; a 16-bit image would silently keep
  // its colours, so it is widened like the other depths.
  const unsigned depth = FreeImage_GetBPP(image);
  if (depth < 8 || depth == 16 || depth > 32) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }
  FreeImage_AdjustColors(image, settings.Int("Adjustment", "Image Brightness"),
                         settings.Int("Adjustment", "Image Contrast"),
                         settings.Float("Adjustment", "Image Gamma"),
                         settings.Int("Adjustment", "Image Invert") != 0 ? TRUE : FALSE);
  return image;
}

FIBITMAP* ApplyGreyscale(FIBITMAP* image, const SettingsStore& settings) {
  if (!image || !Enabled(settings, "Do Image Greyscale")) return image;
  if (FreeImage_GetBPP(image) > 32) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }
  return Replaced(image, FreeImage_ConvertToGreyscale(image));
}

FIBITMAP* ApplyThreshold(FIBITMAP* image, const SettingsStore& settings) {
  if (!image || !Enabled(settings, "Do Image Threshold")) return image;
  const unsigned depth = FreeImage_GetBPP(image);
  if (depth > 32 || depth < 4) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }
  const auto level = static_cast<BYTE>(settings.Int("Adjustment", "Image Threshold") & 0xFF);
  return Replaced(image, FreeImage_Threshold(image, level));
}

FIBITMAP* ApplyDither(FIBITMAP* image, const SettingsStore& settings) {
  if (!image || !Enabled(settings, "Do Image Dither")) return image;
  const unsigned depth = FreeImage_GetBPP(image);
  if (depth > 32 || depth < 4) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }
  return Replaced(image, FreeImage_Dither(image, DitherMethod(settings)));
}

}  // namespace rondix
