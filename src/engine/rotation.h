// Rotation step, from group "Transform": "Do Image Rotation", "Image Rotation" (whole degrees,
// only 1..359 rotate), "Image Rotation Type" (0 simple, 1 advanced) and
// "Image Rotation Back Color".
//
// Simple rotation grows the canvas to hold the whole picture and fills the uncovered corners
// with the back colour (alpha 0 on 32-bit images). Advanced rotation keeps the size, turns
// about the centre and lets FreeImage fill the corners. Images of other depths than 24 and
// 32 bits are rotated as 24-bit images.
#pragma once
#include <FreeImage.h>

#include "core/settings.h"

namespace rondix {

// Returns the image to continue with; unloads `image` when it made a new one.
FIBITMAP* ApplyRotation(FIBITMAP* image, const SettingsStore& settings);

}  // namespace rondix
