// The watermark picture: PNG and JPEG read with libpng and libjpeg, BMP with FreeImage,
// recognised by their signatures rather than by the file name.
#pragma once
#include <cstdint>
#include <optional>
#include <string>

#include "draw/rgba_image.h"

namespace rondix {

struct Picture {
  RgbaImage pixels;       // straight alpha; 255 where the file has no alpha
  bool hasAlpha = false;  // the file carries alpha (an alpha channel or PNG transparency)
};

// Nothing when the file is missing, empty, truncated, corrupt, of another format, or has
// more than `maxPixels` pixels.
std::optional<Picture> ReadPicture(const std::string& path, uint64_t maxPixels);

}  // namespace rondix
