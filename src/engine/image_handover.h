// Linear ownership of the images passed between pipeline steps: a step that makes a new
// image unloads the one it received and continues with the new one (null when FreeImage
// could not make it).
#pragma once
#include <FreeImage.h>

namespace rondix {

inline FIBITMAP* Replaced(FIBITMAP* received, FIBITMAP* made) {
  if (made != received) FreeImage_Unload(received);
  return made;
}

inline FIBITMAP* ConvertedTo24Bits(FIBITMAP* image) {
  return Replaced(image, FreeImage_ConvertTo24Bits(image));
}

}  // namespace rondix
