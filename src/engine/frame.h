// The solid frame: four bands along the edges, each with its own width and colour, joined
// by mitred seams from each image corner to the inner corner of the frame, and blended over
// the picture with one opacity. Settings: group "Frame".
#pragma once
#include <FreeImage.h>

#include <cstdint>
#include <string>

#include "core/settings.h"

namespace rondix {

struct FrameWidths {
  int64_t left = 0;
  int64_t right = 0;
  int64_t top = 0;
  int64_t bottom = 0;
};

enum class FrameSide : uint8_t { Top, Right, Bottom, Left };

// The band of one side as SVG path text: a move, three relative lines and a close, each
// value a decimal integer ("M 0 0 l 100 0 l -10 10 l -80 0 Z" for the top band of a
// 100x80 image with every width 10). A negative difference gives two minus signs in a row.
std::string FrameBandPath(FrameSide side, int64_t width, int64_t height, const FrameWidths& w);

// "Do Frame" 0: the image unchanged. Any other value: the image brought to 24 bits, and for
// 1 ("SOLID") the frame composited over it. A frame that cannot be drawn leaves the 24-bit
// image without it; null only when there is no image or compositing fails.
FIBITMAP* DrawFrame(FIBITMAP* image, int width, int height, const SettingsStore& settings);

}  // namespace rondix
