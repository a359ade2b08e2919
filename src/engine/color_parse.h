// Colours of the settings ("RRGGBB" texts) as FreeImage colours.
#pragma once
#include <FreeImage.h>

#include <string_view>

namespace rondix {

// Red, green and blue from a six-character "RRGGBB" text; rgbReserved (alpha) is 0.
// Each pair is read as hexadecimal up to its first non-hex character ("1G" is 1, "G1" is 0).
// A text of any other length (counted in characters, not bytes) is black.
RGBQUAD ParseColor(std::string_view text);

// ParseColor with rgbReserved set to `alpha` (frame and watermark colours).
RGBQUAD ParseColorAlpha(std::string_view text, BYTE alpha);

}  // namespace rondix
