// Compositing a 32-bit layer with alpha over part of a 24-bit image. The frame and the
// watermark cover only a small part of the picture; the rest of their full-size canvas is
// transparent and would leave the picture as it is, so only the covered rectangle is
// composited, with FreeImage's own compositing rule.
#pragma once
#include <FreeImage.h>

namespace rondix {

// Composites `layer` (32-bit, straight alpha) over `image` (24-bit) with the layer's
// top-left at (x, y), in place. The layer must lie wholly inside the image. False, with the
// image unchanged, when it does not or when FreeImage fails.
bool CompositeLayerAt(FIBITMAP* image, FIBITMAP* layer, int x, int y);

}  // namespace rondix
