#include "engine/flip.h"

namespace rondix {

void ApplyFlip(FIBITMAP* image, const SettingsStore& settings) {
  if (!image) return;
  if (settings.Int("Transform", "Do Image Flip Horizontal") != 0) FreeImage_FlipHorizontal(image);
  if (settings.Int("Transform", "Do Image Flip Vertical") != 0) FreeImage_FlipVertical(image);
}

}  // namespace rondix
