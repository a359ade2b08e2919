// Flip step, in place: "Do Image Flip Horizontal" mirrors left-right, then
// "Do Image Flip Vertical" mirrors top-bottom (both together turn the image by 180 degrees).
#pragma once
#include <FreeImage.h>

#include "core/settings.h"

namespace rondix {

void ApplyFlip(FIBITMAP* image, const SettingsStore& settings);

}  // namespace rondix
