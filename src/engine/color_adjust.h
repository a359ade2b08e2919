// Colour steps, from group "Adjustment", in pipeline order: colour correction (brightness,
// contrast, gamma, invert), greyscale, threshold and dither. Each does nothing when its "Do"
// switch is 0, and returns the image to continue with, unloading the one it got when it made
// a new one. FreeImage does the pixel work; each step first brings the image to a depth the
// FreeImage call accepts.
#pragma once
#include <FreeImage.h>

#include "core/settings.h"

namespace rondix {

// "Image Brightness" and "Image Contrast" (percent), "Image Gamma" (1.0 keeps the tones) and
// "Image Invert". Images of 8, 24 and 32 bits keep their depth; others become 24-bit first.
FIBITMAP* ApplyColorCorrection(FIBITMAP* image, const SettingsStore& settings);

// An 8-bit grey image; alpha is dropped.
FIBITMAP* ApplyGreyscale(FIBITMAP* image, const SettingsStore& settings);

// A 1-bit image: black below "Image Threshold" (its low byte), white from it up.
FIBITMAP* ApplyThreshold(FIBITMAP* image, const SettingsStore& settings);

// A 1-bit image dithered with DitherMethod.
FIBITMAP* ApplyDither(FIBITMAP* image, const SettingsStore& settings);

// FreeImage method for "Image Dither Algorithm"; Floyd-Steinberg for unknown values.
FREE_IMAGE_DITHER DitherMethod(const SettingsStore& settings);

}  // namespace rondix
