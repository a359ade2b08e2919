// Hand-over of a drawn layer to FreeImage: the pixels are copied as they are (straight
// alpha) into a 32-bit bitmap, which is lossless for 8-bit RGBA.
#pragma once
#include <FreeImage.h>

#include "draw/rgba_image.h"

namespace rondix {

// A new 32-bit bitmap with alpha holding `image`; null when FreeImage cannot allocate it.
FIBITMAP* ToFreeImage(const RgbaImage& image);

// The pixels of a 32-bit bitmap; nothing for another depth or type.
std::optional<RgbaImage> FromFreeImage(FIBITMAP* bitmap);

}  // namespace rondix
