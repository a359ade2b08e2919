// The about box's banner: a built-in picture in the hand-drawn look of the icons, not
// themed. Depends on QtGui only.
#pragma once
#include <QImage>

namespace rondix {

inline constexpr int kAboutBannerWidth = 360;
inline constexpr int kAboutBannerHeight = 40;

// A TGA sheet turning into a PNG picture beside the maker's name, on paper.
QImage DrawAboutBanner();

}  // namespace rondix
