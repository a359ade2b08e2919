// Our own Targa decoder, for the valid files FreeImage refuses or misreads (TgaDecoder::Own
// in tga_probe.h): 16-bit greyscale with an attribute byte, 16-bit colour map indices,
// 15-bit colour maps, maps not starting at entry 0, colour maps in true-colour files, and
// the few layouts FreeImage's reader would overrun on.
//
// Takes a file that passed InspectTarga. Output formats follow FreeImage's where it has one:
// 8-bit indices -> 8-bit with palette (transparency table from a 32-bit map), 16-bit indices
// -> 24-bit (32-bit with a 32-bit map), grey 8 -> 8-bit grey palette, grey 16 -> 32-bit with
// grey in R, G, B and the attribute byte in alpha, 15/16-bit colour -> 16-bit 5-5-5 (the
// attribute bit dropped, as FreeImage does), 24 -> 24-bit, 32 -> 32-bit. The alpha meaning
// is not applied here; the loader applies it to either decoder's result.
#pragma once
#include <FreeImage.h>

#include <cstdio>

#include "engine/tga_probe.h"

namespace rondix {

// nullptr when the file no longer reads as inspected or the bitmap cannot be allocated.
FIBITMAP* ReadTarga(std::FILE* file, const TgaInfo& info);

}  // namespace rondix
