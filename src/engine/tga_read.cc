#include "engine/tga_read.h"

#include <algorithm>
#include <cstring>
#include <vector>

namespace rondix {
namespace {

// Sequential reads from a file region through a fixed buffer.
class Reader {
 public:
  Reader(std::FILE* file, uint64_t pos, uint64_t end) : file_(file), pos_(pos), end_(end) {}

  bool Read(uint8_t* out, size_t count) {
    while (count > 0) {
      if (next_ == length_ && !Fill()) return false;
      size_t take = std::min(count, length_ - next_);
      std::memcpy(out, buffer_.data() + next_, take);
      next_ += take;
      out += take;
      count -= take;
    }
    return true;
  }

 private:
  bool Fill() {
    if (pos_ >= end_) return false;
    size_t want = static_cast<size_t>(std::min<uint64_t>(buffer_.size(), end_ - pos_));
    if (fseeko(file_, static_cast<off_t>(pos_), SEEK_SET) != 0) return false;
    length_ = std::fread(buffer_.data(), 1, want, file_);
    next_ = 0;
    pos_ += length_;
    return length_ > 0;
  }

  std::FILE* file_;
  uint64_t pos_;
  uint64_t end_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(64 * 1024);
  size_t next_ = 0;
  size_t length_ = 0;
};

// Stored pixels one at a time, raw or run-length encoded.
class PixelStream {
 public:
  PixelStream(Reader& reader, int bytes, bool rle) : reader_(reader), bytes_(bytes), rle_(rle) {}

  bool Next(uint8_t* pixel) {
    if (!rle_) return reader_.Read(pixel, bytes_);
    if (left_ == 0) {
      uint8_t packet = 0;
      if (!reader_.Read(&packet, 1)) return false;
      left_ = (packet & 0x7F) + 1;
      repeat_ = (packet & 0x80) != 0;
      if (repeat_ && !reader_.Read(value_, bytes_)) return false;
    }
    --left_;
    if (repeat_) {
      std::memcpy(pixel, value_, bytes_);
      return true;
    }
    return reader_.Read(pixel, bytes_);
  }

 private:
  Reader& reader_;
  int bytes_;
  bool rle_;
  int left_ = 0;
  bool repeat_ = false;
  uint8_t value_[4] = {};
};

uint8_t Expand5(unsigned v) { return static_cast<uint8_t>((v * 0xFF) / 0x1F); }

// One colour map entry or true-colour value as B, G, R, A.
RGBQUAD Colour(const uint8_t* p, int bits) {
  RGBQUAD c{};
  c.rgbReserved = 0xFF;
  if (bits == 15 || bits == 16) {
    unsigned v = p[0] | (p[1] << 8);
    c.rgbRed = Expand5((v >> 10) & 0x1F);
    c.rgbGreen = Expand5((v >> 5) & 0x1F);
    c.rgbBlue = Expand5(v & 0x1F);
  } else {
    c.rgbBlue = p[0];
    c.rgbGreen = p[1];
    c.rgbRed = p[2];
    if (bits == 32) c.rgbReserved = p[3];
  }
  return c;
}

// The full colour map: index -> colour; indices the file does not store are opaque black.
bool ReadColorMap(std::FILE* file, const TgaInfo& info, std::vector<RGBQUAD>& map) {
  const size_t first = info.colorMapFirst;
  map.assign(first + info.colorMapLength, RGBQUAD{0, 0, 0, 0xFF});
  std::vector<uint8_t> raw(size_t{info.colorMapLength} * info.colorMapEntryBytes);
  Reader reader(file, info.colorMapOffset, info.pixelDataOffset);
  if (!reader.Read(raw.data(), raw.size())) return false;
  for (size_t i = 0; i < info.colorMapLength; ++i) {
    map[first + i] = Colour(raw.data() + i * info.colorMapEntryBytes, info.colorMapEntryBits);
  }
  return true;
}

FIBITMAP* Allocate(const TgaInfo& info, int bpp) {
  if (bpp == 16) {
    return FreeImage_Allocate(info.width, info.height, 16, FI16_555_RED_MASK, FI16_555_GREEN_MASK,
                              FI16_555_BLUE_MASK);
  }
  return FreeImage_Allocate(info.width, info.height, bpp, FI_RGBA_RED_MASK, FI_RGBA_GREEN_MASK,
                            FI_RGBA_BLUE_MASK);
}

}  // namespace

FIBITMAP* ReadTarga(std::FILE* file, const TgaInfo& info) {
  if (!info.ok) return nullptr;
  const int depth = info.pixelDepth;

  std::vector<RGBQUAD> map;
  if (info.colorMapped && !ReadColorMap(file, info, map)) return nullptr;

  int outBpp = 0;
  if (info.colorMapped) {
    outBpp = depth == 8 ? 8 : info.colorMapEntryBits == 32 ? 32 : 24;
  } else if (info.grey) {
    outBpp = depth == 8 ? 8 : 32;
  } else {
    outBpp = depth == 15 ? 16 : depth;
  }
  FIBITMAP* image = Allocate(info, outBpp);
  if (!image) return nullptr;

  if (outBpp == 8) {
    RGBQUAD* palette = FreeImage_GetPalette(image);
    for (unsigned i = 0; i < 256; ++i) {
      const BYTE level = static_cast<BYTE>(i);
      palette[i] = info.grey        ? RGBQUAD{level, level, level, 0}
                   : i < map.size() ? map[i]
                                    : RGBQUAD{};
      palette[i].rgbReserved = 0;
    }
    if (info.colorMapped && info.colorMapEntryBits == 32) {
      BYTE table[256];
      for (unsigned i = 0; i < 256; ++i) table[i] = i < map.size() ? map[i].rgbReserved : 0xFF;
      FreeImage_SetTransparencyTable(image, table, 256);
    }
  }

  Reader reader(file, info.pixelDataOffset, info.pixelDataEnd);
  PixelStream stream(reader, info.bytesPerPixel, info.rle);
  const RGBQUAD black{0, 0, 0, 0xFF};
  uint8_t pixel[4] = {};
  for (unsigned row = 0; row < info.height; ++row) {
    BYTE* line = FreeImage_GetScanLine(image, info.topToBottom ? info.height - 1 - row : row);
    for (unsigned column = 0; column < info.width; ++column) {
      if (!stream.Next(pixel)) {
        FreeImage_Unload(image);
        return nullptr;
      }
      const unsigned x = info.rightToLeft ? info.width - 1 - column : column;
      if (outBpp == 8) {
        line[x] = pixel[0];
      } else if (outBpp == 16) {
        const uint16_t value = static_cast<uint16_t>((pixel[0] | (pixel[1] << 8)) & 0x7FFF);
        std::memcpy(line + 2 * x, &value, 2);
      } else {
        RGBQUAD c{};
        if (info.colorMapped) {
          const unsigned index = pixel[0] | (pixel[1] << 8);
          c = index < map.size() ? map[index] : black;
        } else if (info.grey) {
          c = RGBQUAD{pixel[0], pixel[0], pixel[0], pixel[1]};
        } else {
          c = Colour(pixel, depth);
        }
        BYTE* out = line + x * (outBpp / 8);
        out[FI_RGBA_BLUE] = c.rgbBlue;
        out[FI_RGBA_GREEN] = c.rgbGreen;
        out[FI_RGBA_RED] = c.rgbRed;
        if (outBpp == 32) out[FI_RGBA_ALPHA] = c.rgbReserved;
      }
    }
  }
  return image;
}

}  // namespace rondix
