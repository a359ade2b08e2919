#include "engine/rotation.h"

#include "engine/color_parse.h"
#include "engine/image_handover.h"

namespace rondix {

FIBITMAP* ApplyRotation(FIBITMAP* image, const SettingsStore& settings) {
  if (!image || settings.Int("Transform", "Do Image Rotation") == 0) return image;
  const int32_t angle = settings.Int("Transform", "Image Rotation");
  if (angle <= 0 || angle >= 360) return image;

  const unsigned depth = FreeImage_GetBPP(image);
  if (depth <= 16 || depth > 32) {
    image = ConvertedTo24Bits(image);
    if (!image) return nullptr;
  }

  switch (settings.Int("Transform", "Image Rotation Type")) {
    case 0: {
      const RGBQUAD back = ParseColor(settings.Text("Transform", "Image Rotation Back Color"));
      return Replaced(image, FreeImage_Rotate(image, angle, &back));
    }
    case 1: {
      const double centreX = FreeImage_GetWidth(image) / 2.0;
      const double centreY = FreeImage_GetHeight(image) / 2.0;
      return Replaced(image,
                      FreeImage_RotateEx(image, angle, 0.0, 0.0, centreX, centreY, FALSE));
    }
    default:
      return image;
  }
}

}  // namespace rondix
