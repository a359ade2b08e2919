// Test fixtures: Targa files written from a plain description, and RGBA read-back of any
// picture FreeImage can decode, for pixel comparisons.
//
// Pixels are always given and returned as seen: row 0 is the top row, left to right. The
// writer stores them in the order the descriptor's origin bits ask for, so a correct decoder
// gives back the same picture whatever the origin.
//
//   fixture::TgaSpec desc;
//   desc.width = 2; desc.height = 1;
//   desc.pixels = {{255, 0, 0}, {0, 0, 255}};
//   fixture::WriteTga(dir + "/a.tga", desc);          // uncompressed 24-bit, bottom-left
//   fixture::RgbaImage back = fixture::ReadRgba(dir + "/a.png");
#pragma once
#include <FreeImage.h>

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace rondix::fixture {

struct Rgba {
  uint8_t r = 0, g = 0, b = 0, a = 255;
  bool operator==(const Rgba&) const = default;
};

// Image types of the Targa header.
enum TgaImageType : uint8_t {
  kTgaColorMapped = 1,
  kTgaTrueColor = 2,
  kTgaGrey = 3,
  kTgaRleColorMapped = 9,
  kTgaRleTrueColor = 10,
  kTgaRleGrey = 11,
};

// Byte offsets in the 18-byte header, for tests that damage a file on purpose.
namespace tga_header {
inline constexpr size_t kIdLength = 0;
inline constexpr size_t kColorMapType = 1;
inline constexpr size_t kImageType = 2;
inline constexpr size_t kColorMapFirst = 3;   // 16-bit little-endian
inline constexpr size_t kColorMapLength = 5;  // 16-bit little-endian
inline constexpr size_t kColorMapEntryBits = 7;
inline constexpr size_t kWidth = 12;   // 16-bit little-endian
inline constexpr size_t kHeight = 14;  // 16-bit little-endian
inline constexpr size_t kPixelDepth = 16;
inline constexpr size_t kDescriptor = 17;
inline constexpr size_t kSize = 18;
}  // namespace tga_header

// Size of the TGA 2.0 extension area and footer the writer produces.
inline constexpr size_t kTgaExtensionSize = 495;
inline constexpr size_t kTgaFooterSize = 26;

struct TgaSpec {
  uint8_t imageType = kTgaTrueColor;
  // 8 or 16 for colour-mapped (index size), 15/16/24/32 for true colour, 8 or 16 for grey.
  uint8_t pixelDepth = 24;
  uint8_t attributeBits = 0;  // descriptor bits 0-3
  bool topToBottom = false;   // descriptor bit 5 (top-left origin)
  bool rightToLeft = false;   // descriptor bit 4
  int width = 0;
  int height = 0;

  // True colour and grey: width * height pixels as seen. True colour stores r, g, b; at 32
  // bits a is the fourth byte; at 15/16 bits the channels keep their top 5 bits and a >= 128
  // sets the attribute bit. Grey stores r as the intensity; at 16 bits a is the attribute byte.
  std::vector<Rgba> pixels;
  // Colour-mapped: width * height colour map indices, in the same order as `pixels`.
  std::vector<uint16_t> indices;

  // Colour map, written whenever not empty (true-colour and grey files may carry one too).
  // Entry i of the vector is stored as map entry colorMapFirst + i. 15/16-bit entries keep
  // the top 5 bits of each channel (a >= 128 sets the attribute bit); 32-bit ones keep a.
  std::vector<Rgba> colorMap;
  uint8_t colorMapEntryBits = 24;
  uint16_t colorMapFirst = 0;

  std::string id;  // image ID field, at most 255 bytes

  // RLE types: whether a packet may continue into the next scan line. TGA 2.0 asks writers
  // not to, but many do.
  bool rleAcrossRows = false;

  // TGA 2.0 tail. `footer` writes the 26-byte footer; attributesType >= 0 also writes a
  // 495-byte extension area with that attributes type (byte 494) before it.
  bool footer = false;
  int attributesType = -1;
  // Raw postage stamp (width byte, height byte, pixels) written after the extension area and
  // pointed to by it; needs attributesType >= 0.
  std::vector<uint8_t> postageStamp;
};

// The file's bytes. Pixels or indices missing from a short vector are written as zeros;
// tests that need a broken file change these bytes (see tga_header).
std::vector<uint8_t> EncodeTga(const TgaSpec& desc);

// Writes bytes to a file, replacing it; false on any error.
bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes);
bool WriteTga(const std::string& path, const TgaSpec& desc);

// What a 5-5-5 file stores of `c`, expanded back to 8 bits the way FreeImage expands it
// (v * 255 / 31); alpha unchanged.
Rgba Quantize555(Rgba c);

// Pixels of a picture, row 0 at the top.
struct RgbaImage {
  unsigned width = 0;
  unsigned height = 0;
  std::vector<Rgba> pixels;

  bool empty() const { return pixels.empty(); }
  Rgba at(unsigned x, unsigned y) const { return pixels[size_t{y} * width + x]; }
};

// Any FIT_BITMAP (1 to 32 bits, palette and transparency table resolved, 16-bit 5-5-5 or
// 5-6-5) as RGBA; empty for nullptr or another image type. Does not take ownership.
RgbaImage BitmapToRgba(FIBITMAP* image);

// Decodes any file FreeImage recognises by its content (PNG, TGA by extension, ...); empty
// when it cannot.
RgbaImage ReadRgba(const std::string& path);

// Largest difference of any channel between two pictures; -1 when their sizes differ.
int MaxChannelDifference(const RgbaImage& a, const RgbaImage& b);

// A fresh folder for fixture files ($TMPDIR or /tmp), removed with everything in it when the
// object goes. path() ends without "/"; File("a.tga") is path() + "/a.tga".
class ScratchFolder {
 public:
  ScratchFolder();
  ~ScratchFolder();
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;

  const std::string& path() const { return path_; }
  std::string File(const std::string& name) const { return path_ + "/" + name; }

 private:
  std::string path_;
};

}  // namespace rondix::fixture
