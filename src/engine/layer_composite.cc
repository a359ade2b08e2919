#include "engine/layer_composite.h"

namespace rondix {

bool CompositeLayerAt(FIBITMAP* image, FIBITMAP* layer, int x, int y) {
  if (!image || !layer || FreeImage_GetBPP(image) != 24 || FreeImage_GetBPP(layer) != 32) {
    return false;
  }
  const int width = static_cast<int>(FreeImage_GetWidth(layer));
  const int height = static_cast<int>(FreeImage_GetHeight(layer));
  if (x < 0 || y < 0 || x + width > static_cast<int>(FreeImage_GetWidth(image)) ||
      y + height > static_cast<int>(FreeImage_GetHeight(image))) {
    return false;
  }
  FIBITMAP* under = FreeImage_Copy(image, x, y, x + width, y + height);
  if (!under) return false;
  FIBITMAP* blended = FreeImage_Composite(layer, FALSE, nullptr, under);
  FreeImage_Unload(under);
  if (!blended) return false;
  // Above 255 Paste copies the pixels instead of blending them.
  const bool pasted = FreeImage_Paste(image, blended, x, y, 256) != FALSE;
  FreeImage_Unload(blended);
  return pasted;
}

}  // namespace rondix
