// The program's own artwork: every icon and button picture, drawn in code so one drawing
// serves every size. Depends on QtGui only.
#pragma once
#include <QImage>
#include <string_view>

namespace rondix {

// The icon `name` (one of kIconNames) as a square ARGB picture of `pixels` pixels; a null
// image for an unknown name or a size outside 8..256.
QImage DrawIcon(std::string_view name, int pixels);

// The button picture `name` (one of kButtonImageNames), kButtonImagePixels square; a null
// image for an unknown name.
QImage DrawButtonImage(std::string_view name);

}  // namespace rondix
