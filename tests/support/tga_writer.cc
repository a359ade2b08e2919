#include "support/tga_writer.h"

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>

namespace rondix::fixture {
namespace {

void Put16(std::vector<uint8_t>& out, unsigned value) {
  out.push_back(static_cast<uint8_t>(value & 0xFF));
  out.push_back(static_cast<uint8_t>((value >> 8) & 0xFF));
}

void Put32(std::vector<uint8_t>& out, size_t at, uint32_t value) {
  for (int i = 0; i < 4; ++i) out[at + i] = static_cast<uint8_t>(value >> (8 * i));
}

// A colour as 15/16/24/32-bit Targa bytes (B, G, R order).
void PutColour(std::vector<uint8_t>& out, Rgba c, int bits) {
  if (bits == 15 || bits == 16) {
    unsigned v = ((c.r >> 3) << 10) | ((c.g >> 3) << 5) | (c.b >> 3);
    if (c.a >= 128) v |= 0x8000;
    Put16(out, v);
    return;
  }
  out.push_back(c.b);
  out.push_back(c.g);
  out.push_back(c.r);
  if (bits == 32) out.push_back(c.a);
}

bool IsColorMapped(const TgaSpec& desc) {
  return desc.imageType == kTgaColorMapped || desc.imageType == kTgaRleColorMapped;
}
bool IsGrey(const TgaSpec& desc) {
  return desc.imageType == kTgaGrey || desc.imageType == kTgaRleGrey;
}
bool IsRle(const TgaSpec& desc) { return desc.imageType >= 9; }

// The stored bytes of the picture's pixel at visual index `i` (missing pixels are zeros).
std::vector<uint8_t> PixelBytes(const TgaSpec& desc, size_t i) {
  std::vector<uint8_t> out;
  if (IsColorMapped(desc)) {
    const unsigned index = i < desc.indices.size() ? desc.indices[i] : 0;
    out.push_back(static_cast<uint8_t>(index & 0xFF));
    if (desc.pixelDepth == 16) out.push_back(static_cast<uint8_t>(index >> 8));
    return out;
  }
  const Rgba c = i < desc.pixels.size() ? desc.pixels[i] : Rgba{0, 0, 0, 0};
  if (IsGrey(desc)) {
    out.push_back(c.r);
    if (desc.pixelDepth == 16) out.push_back(c.a);
    return out;
  }
  PutColour(out, c, desc.pixelDepth);
  return out;
}

// Packets for a run of stored pixels: repeats of two or more become run packets.
void PutRle(std::vector<uint8_t>& out, const std::vector<std::vector<uint8_t>>& pixels) {
  size_t i = 0;
  while (i < pixels.size()) {
    size_t run = 1;
    while (i + run < pixels.size() && run < 128 && pixels[i + run] == pixels[i]) ++run;
    if (run >= 2) {
      out.push_back(static_cast<uint8_t>(0x80 | (run - 1)));
      out.insert(out.end(), pixels[i].begin(), pixels[i].end());
      i += run;
      continue;
    }
    size_t raw = 1;
    while (i + raw < pixels.size() && raw < 128 &&
           !(i + raw + 1 < pixels.size() && pixels[i + raw] == pixels[i + raw + 1])) {
      ++raw;
    }
    out.push_back(static_cast<uint8_t>(raw - 1));
    for (size_t k = 0; k < raw; ++k)
      out.insert(out.end(), pixels[i + k].begin(), pixels[i + k].end());
    i += raw;
  }
}

uint8_t Expand5(unsigned v) { return static_cast<uint8_t>((v * 255) / 31); }

}  // namespace

std::vector<uint8_t> EncodeTga(const TgaSpec& desc) {
  std::vector<uint8_t> out;
  const bool hasMap = !desc.colorMap.empty();
  out.push_back(static_cast<uint8_t>(std::min<size_t>(desc.id.size(), 255)));
  out.push_back(hasMap ? 1 : 0);
  out.push_back(desc.imageType);
  Put16(out, hasMap ? desc.colorMapFirst : 0);
  Put16(out, static_cast<unsigned>(desc.colorMap.size()));
  out.push_back(hasMap ? desc.colorMapEntryBits : 0);
  Put16(out, 0);  // x origin
  Put16(out, 0);  // y origin
  Put16(out, static_cast<unsigned>(desc.width));
  Put16(out, static_cast<unsigned>(desc.height));
  out.push_back(desc.pixelDepth);
  out.push_back(static_cast<uint8_t>((desc.attributeBits & 0x0F) | (desc.rightToLeft ? 0x10 : 0) |
                                     (desc.topToBottom ? 0x20 : 0)));
  out.insert(out.end(), desc.id.begin(), desc.id.begin() + out[0]);
  for (const Rgba& entry : desc.colorMap) PutColour(out, entry, desc.colorMapEntryBits);

  // Stored order: rows from the origin's side, pixels from its side.
  const int width = desc.width;
  const int height = desc.height;
  std::vector<std::vector<uint8_t>> row;
  std::vector<std::vector<uint8_t>> all;
  for (int fileRow = 0; fileRow < height; ++fileRow) {
    const int y = desc.topToBottom ? fileRow : height - 1 - fileRow;
    row.clear();
    for (int fileColumn = 0; fileColumn < width; ++fileColumn) {
      const int x = desc.rightToLeft ? width - 1 - fileColumn : fileColumn;
      row.push_back(PixelBytes(desc, static_cast<size_t>(y) * width + x));
    }
    if (!IsRle(desc)) {
      for (const auto& pixel : row) out.insert(out.end(), pixel.begin(), pixel.end());
    } else if (desc.rleAcrossRows) {
      all.insert(all.end(), row.begin(), row.end());
    } else {
      PutRle(out, row);
    }
  }
  if (IsRle(desc) && desc.rleAcrossRows) PutRle(out, all);

  uint32_t extensionOffset = 0;
  if (desc.attributesType >= 0) {
    extensionOffset = static_cast<uint32_t>(out.size());
    std::vector<uint8_t> extension(kTgaExtensionSize, 0);
    extension[0] = kTgaExtensionSize & 0xFF;
    extension[1] = kTgaExtensionSize >> 8;
    if (!desc.postageStamp.empty()) Put32(extension, 486, extensionOffset + kTgaExtensionSize);
    extension[494] = static_cast<uint8_t>(desc.attributesType);
    out.insert(out.end(), extension.begin(), extension.end());
    out.insert(out.end(), desc.postageStamp.begin(), desc.postageStamp.end());
  }
  if (desc.footer || desc.attributesType >= 0) {
    const size_t at = out.size();
    out.resize(at + 8, 0);
    Put32(out, at, extensionOffset);
    const char signature[] = "TRUEVISION-XFILE.";
    out.insert(out.end(), signature, signature + sizeof signature);  // with the final zero
  }
  return out;
}

bool WriteFileBytes(const std::string& path, const std::vector<uint8_t>& bytes) {
  std::ofstream file(path, std::ios::binary | std::ios::trunc);
  file.write(reinterpret_cast<const char*>(bytes.data()),
             static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

bool WriteTga(const std::string& path, const TgaSpec& desc) {
  return WriteFileBytes(path, EncodeTga(desc));
}

Rgba Quantize555(Rgba c) {
  return Rgba{Expand5(c.r >> 3), Expand5(c.g >> 3), Expand5(c.b >> 3), c.a};
}

RgbaImage BitmapToRgba(FIBITMAP* image) {
  RgbaImage result;
  if (!image || FreeImage_GetImageType(image) != FIT_BITMAP) return result;
  FIBITMAP* rgba = FreeImage_ConvertTo32Bits(image);
  if (!rgba) return result;
  result.width = FreeImage_GetWidth(rgba);
  result.height = FreeImage_GetHeight(rgba);
  result.pixels.resize(size_t{result.width} * result.height);
  for (unsigned y = 0; y < result.height; ++y) {
    const BYTE* line = FreeImage_GetScanLine(rgba, result.height - 1 - y);
    for (unsigned x = 0; x < result.width; ++x) {
      const BYTE* p = line + 4 * x;
      result.pixels[size_t{y} * result.width + x] =
          Rgba{p[FI_RGBA_RED], p[FI_RGBA_GREEN], p[FI_RGBA_BLUE], p[FI_RGBA_ALPHA]};
    }
  }
  FreeImage_Unload(rgba);
  return result;
}

RgbaImage ReadRgba(const std::string& path) {
  FREE_IMAGE_FORMAT format = FreeImage_GetFileType(path.c_str(), 0);
  if (format == FIF_UNKNOWN) format = FreeImage_GetFIFFromFilename(path.c_str());
  if (format == FIF_UNKNOWN) return RgbaImage{};
  FIBITMAP* image = FreeImage_Load(format, path.c_str(), 0);
  RgbaImage result = BitmapToRgba(image);
  if (image) FreeImage_Unload(image);
  return result;
}

int MaxChannelDifference(const RgbaImage& a, const RgbaImage& b) {
  if (a.width != b.width || a.height != b.height || a.pixels.size() != b.pixels.size()) return -1;
  int most = 0;
  for (size_t i = 0; i < a.pixels.size(); ++i) {
    const Rgba& p = a.pixels[i];
    const Rgba& q = b.pixels[i];
    most = std::max(
        {most, std::abs(p.r - q.r), std::abs(p.g - q.g), std::abs(p.b - q.b), std::abs(p.a - q.a)});
  }
  return most;
}

ScratchFolder::ScratchFolder() {
  const char* base = std::getenv("TMPDIR");
  std::string pattern = std::string(base && *base ? base : "/tmp") + "/rondix-test-XXXXXX";
  if (mkdtemp(pattern.data())) path_ = pattern;
}

ScratchFolder::~ScratchFolder() {
  std::error_code ignored;
  if (!path_.empty()) std::filesystem::remove_all(path_, ignored);
}

}  // namespace rondix::fixture
