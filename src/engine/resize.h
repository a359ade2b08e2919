// Resize step, from group "Transform": "Do Image Resize", "Image Width"/"Image Height" with
// their units (0 pixels, 1 percent of the current size), "Keep Aspect Ratio",
// "Image Resize Type" (0 all images, 1 only images reaching the target in some direction)
// and "Image Resize Algorithm" (the filter).
//
// With keep aspect on, the longer side of the image takes its target and the other side
// follows the image's proportions; the other target is ignored.
#pragma once
#include <FreeImage.h>

#include <cstdint>

#include "core/settings.h"

namespace rondix {

// Pixels: value. Percent: value / 100 * size, halves rounded to the even neighbour.
// Any other unit: 0.
int32_t ScaledSize(int32_t value, int32_t unit, int32_t size);

// FreeImage filter for "Image Resize Algorithm"; bicubic for unknown values.
FREE_IMAGE_FILTER ResizeFilter(const SettingsStore& settings);

// `width` and `height` are the image's current size. Returns the image to continue with;
// unloads `image` when it made a new one. Null (the file fails) when FreeImage cannot
// rescale, or when the result would exceed the pixel limit of inputs
// (MaxPixelsFromEnvironment) or 2^24 pixels on a side.
FIBITMAP* ApplyResize(FIBITMAP* image, int width, int height, const SettingsStore& settings);

}  // namespace rondix
