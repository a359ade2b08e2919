// Decoding of the pipeline's input: every file is read as Truevision Targa.
//
// The file is inspected first (tga_probe.h); a truncated, inconsistent or oversized file
// gives nullptr at once, before anything of its claimed size is allocated. A passing file is
// decoded by FreeImage (FIF_TARGA, default flags) through the same open handle, or by our
// own reader for the valid variants FreeImage refuses or misreads (tga_read.h). Then the
// alpha channel gets its meaning: a channel the extension area calls "no alpha" (attributes
// type 0, 1 or 2) becomes opaque, and so does a 32-bit channel with no declared attribute
// bits that holds nothing but zeros.
#pragma once
#include <FreeImage.h>

#include <cstdint>
#include <string>

#include "engine/tga_probe.h"

namespace rondix {

// The decoded image (owned by the caller), or nullptr. Uses MaxPixelsFromEnvironment().
FIBITMAP* LoadTarga(const std::string& path);
FIBITMAP* LoadTarga(const std::string& path, uint64_t maxPixels);

// Gives a decoded image's alpha channel the meaning `alpha` says (in place).
void ApplyTgaAlpha(FIBITMAP* image, TgaAlpha alpha);

}  // namespace rondix
