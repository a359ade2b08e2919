// Targa inspection: everything we check about a file before any decoder sees it.
//
// InspectTarga reads the 18-byte header, the colour map fields, the TGA 2.0 footer and
// extension area, and checks the ID field, colour map and pixel data (every RLE packet
// included) against the file's length and the pixel limit. It never allocates the image: RLE
// packets are walked through a small buffer. A file that fails here fails like any
// undecodable file; one that passes tells the loader how to decode it and what its fourth
// byte means.
#pragma once
#include <cstdint>
#include <cstdio>
#include <string>

namespace rondix {

inline constexpr uint64_t kDefaultMaxPixels = uint64_t{1} << 28;

// The pixel limit: RONDIX_MAX_PIXELS when it holds a positive decimal number, otherwise
// kDefaultMaxPixels.
uint64_t MaxPixelsFromEnvironment();

// What the alpha (attribute) channel of a decoded image means.
enum class TgaAlpha {
  None,           // the decoded image has no alpha (grey 8, 15/16-bit colour, 24-bit)
  Straight,       // declared alpha: descriptor attribute bits, extension type 3, or a 32-bit map
  Premultiplied,  // extension area attributes type 4
  Undeclared,     // 32-bit or grey+attribute pixels, descriptor says 0 attribute bits, no
                  // extension verdict: alpha only if the channel holds anything but zeros
  Ignore,         // extension area attributes type 0, 1 or 2: the channel is not alpha
};

// Who decodes the file once it has passed.
enum class TgaDecoder {
  FreeImage,  // FreeImage decodes it correctly and safely
  Own,        // valid, but FreeImage refuses it, misreads it or would read out of bounds
};

struct TgaInfo {
  bool ok = false;
  std::string failReason;  // why the file was refused; empty when ok

  // Header fields as stored.
  uint8_t idLength = 0;
  uint8_t colorMapType = 0;
  uint8_t imageType = 0;
  uint16_t colorMapFirst = 0;
  uint16_t colorMapLength = 0;
  uint8_t colorMapEntryBits = 0;
  uint16_t width = 0;
  uint16_t height = 0;
  uint8_t pixelDepth = 0;
  uint8_t descriptor = 0;

  // Derived facts.
  uint8_t attributeBits = 0;   // descriptor bits 0-3
  bool rightToLeft = false;    // descriptor bit 4: first pixel of a row is the right one
  bool topToBottom = false;    // descriptor bit 5: first row is the top one
  bool rle = false;            // image types 9, 10, 11
  bool colorMapped = false;    // image types 1, 9
  bool grey = false;           // image types 3, 11
  int bytesPerPixel = 0;       // bytes per stored pixel (or colour map index)
  int colorMapEntryBytes = 0;  // bytes per stored colour map entry; 0 without a map
  uint64_t fileLength = 0;
  uint64_t colorMapOffset = 0;   // first byte of the colour map
  uint64_t pixelDataOffset = 0;  // first byte of the pixel data
  uint64_t pixelDataEnd = 0;     // first byte after the pixel data (RLE packets walked)
  bool hasFooter = false;        // "TRUEVISION-XFILE.\0" at the end
  uint32_t extensionOffset = 0;  // 0 without an extension area
  int attributesType = -1;       // extension area byte 494; -1 without an extension area

  TgaAlpha alpha = TgaAlpha::None;
  TgaDecoder decoder = TgaDecoder::FreeImage;
  std::string ownReason;  // why our reader decodes it; empty for FreeImage
};

// Inspects an open file from its start; leaves the position undefined.
TgaInfo InspectTarga(std::FILE* file, uint64_t maxPixels);
TgaInfo InspectTarga(const std::string& path, uint64_t maxPixels);

}  // namespace rondix
