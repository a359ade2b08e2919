#include "engine/tga_probe.h"

#include <sys/stat.h>

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "engine/regular_file.h"

namespace rondix {
namespace {

constexpr uint64_t kHeaderSize = 18;
constexpr uint64_t kFooterSize = 26;
constexpr uint64_t kExtensionSize = 495;
constexpr uint64_t kAttributesTypeAt = 494;           // within the extension area
constexpr uint64_t kPostageStampOffsetAt = 486;       // within the extension area
constexpr char kSignature[18] = "TRUEVISION-XFILE.";  // with its terminating zero: 18 bytes

uint16_t Le16(const uint8_t* p) { return static_cast<uint16_t>(p[0] | (p[1] << 8)); }
uint32_t Le32(const uint8_t* p) {
  return static_cast<uint32_t>(p[0]) | (static_cast<uint32_t>(p[1]) << 8) |
         (static_cast<uint32_t>(p[2]) << 16) | (static_cast<uint32_t>(p[3]) << 24);
}

bool ReadAt(std::FILE* file, uint64_t offset, void* out, size_t size) {
  if (fseeko(file, static_cast<off_t>(offset), SEEK_SET) != 0) return false;
  return std::fread(out, 1, size, file) == size;
}

// Forward-only reading of [pos, end) through a fixed buffer, so walking RLE packets costs
// the same small amount of memory whatever the image claims.
class ByteStream {
 public:
  ByteStream(std::FILE* file, uint64_t pos, uint64_t end) : file_(file), pos_(pos), end_(end) {}

  uint64_t pos() const { return pos_; }

  bool Byte(uint8_t& out) {
    if (pos_ >= end_) return false;
    if (pos_ < bufferStart_ || pos_ >= bufferStart_ + bufferLength_) {
      uint64_t want = std::min<uint64_t>(buffer_.size(), end_ - pos_);
      if (fseeko(file_, static_cast<off_t>(pos_), SEEK_SET) != 0) return false;
      bufferLength_ = std::fread(buffer_.data(), 1, want, file_);
      bufferStart_ = pos_;
      if (bufferLength_ == 0) return false;
    }
    out = buffer_[pos_ - bufferStart_];
    ++pos_;
    return true;
  }

  bool Skip(uint64_t count) {
    if (end_ - pos_ < count) return false;
    pos_ += count;
    return true;
  }

 private:
  std::FILE* file_;
  uint64_t pos_;
  uint64_t end_;
  std::vector<uint8_t> buffer_ = std::vector<uint8_t>(64 * 1024);
  uint64_t bufferStart_ = 0;
  uint64_t bufferLength_ = 0;
};

TgaInfo Fail(TgaInfo info, std::string reason) {
  info.ok = false;
  info.failReason = std::move(reason);
  return info;
}

void UseOwnReader(TgaInfo& info, const char* reason) {
  if (info.decoder == TgaDecoder::Own) return;  // the first reason is enough
  info.decoder = TgaDecoder::Own;
  info.ownReason = reason;
}

// What the extension area's attributes type says, when it says anything.
bool AlphaFromAttributesType(int type, TgaAlpha& alpha) {
  switch (type) {
    case 0:  // no alpha data
    case 1:  // undefined data, may be ignored
    case 2:  // undefined data, should be kept (but it is still not alpha)
      alpha = TgaAlpha::Ignore;
      return true;
    case 3:
      alpha = TgaAlpha::Straight;
      return true;
    case 4:
      alpha = TgaAlpha::Premultiplied;
      return true;
    default:
      return false;
  }
}

}  // namespace

uint64_t MaxPixelsFromEnvironment() {
  const char* text = std::getenv("RONDIX_MAX_PIXELS");
  if (!text || !*text) return kDefaultMaxPixels;
  uint64_t value = 0;
  for (const char* p = text; *p; ++p) {
    if (*p < '0' || *p > '9') return kDefaultMaxPixels;
    if (value > (UINT64_MAX - 9) / 10) return kDefaultMaxPixels;
    value = value * 10 + static_cast<uint64_t>(*p - '0');
  }
  return value > 0 ? value : kDefaultMaxPixels;
}

TgaInfo InspectTarga(const std::string& path, uint64_t maxPixels) {
  std::FILE* file = OpenRegularFile(path);
  if (!file) return Fail(TgaInfo{}, "cannot open the file");
  TgaInfo info = InspectTarga(file, maxPixels);
  std::fclose(file);
  return info;
}

TgaInfo InspectTarga(std::FILE* file, uint64_t maxPixels) {
  TgaInfo info;
  struct stat st {};
  if (fstat(fileno(file), &st) != 0 || !S_ISREG(st.st_mode)) {
    return Fail(info, "not a regular file");
  }
  info.fileLength = static_cast<uint64_t>(st.st_size);
  if (info.fileLength < kHeaderSize) return Fail(info, "shorter than the header");

  uint8_t header[kHeaderSize];
  if (!ReadAt(file, 0, header, sizeof header)) return Fail(info, "cannot read the header");
  info.idLength = header[0];
  info.colorMapType = header[1];
  info.imageType = header[2];
  info.colorMapFirst = Le16(header + 3);
  info.colorMapLength = Le16(header + 5);
  info.colorMapEntryBits = header[7];
  info.width = Le16(header + 12);
  info.height = Le16(header + 14);
  info.pixelDepth = header[16];
  info.descriptor = header[17];
  info.attributeBits = info.descriptor & 0x0F;
  info.rightToLeft = (info.descriptor & 0x10) != 0;
  info.topToBottom = (info.descriptor & 0x20) != 0;

  if (info.colorMapType > 1) return Fail(info, "unknown colour map type");
  switch (info.imageType) {
    case 0:
      return Fail(info, "no image data");
    case 1:
    case 9:
      info.colorMapped = true;
      break;
    case 2:
    case 10:
      break;
    case 3:
    case 11:
      info.grey = true;
      break;
    default:
      return Fail(info, "unsupported image type " + std::to_string(info.imageType));
  }
  info.rle = info.imageType >= 9;
  if (info.width == 0 || info.height == 0) return Fail(info, "empty image");
  const uint64_t pixels = uint64_t{info.width} * info.height;
  if (pixels > maxPixels) return Fail(info, "image larger than the pixel limit");

  const int depth = info.pixelDepth;
  if (info.colorMapped) {
    if (depth != 8 && depth != 16)
      return Fail(info, "colour map index depth " + std::to_string(depth));
  } else if (info.grey) {
    if (depth != 8 && depth != 16) return Fail(info, "greyscale depth " + std::to_string(depth));
  } else if (depth != 15 && depth != 16 && depth != 24 && depth != 32) {
    return Fail(info, "true-colour depth " + std::to_string(depth));
  }
  info.bytesPerPixel = (depth + 7) / 8;

  // Colour map. Colour-mapped images need one in a format we can read; other images may
  // carry one, which is skipped.
  uint64_t mapBytes = 0;
  if (info.colorMapType == 1) {
    const int bits = info.colorMapEntryBits;
    if (info.colorMapped && bits != 15 && bits != 16 && bits != 24 && bits != 32) {
      return Fail(info, "colour map entry size " + std::to_string(bits));
    }
    if (bits > 32) return Fail(info, "colour map entry size " + std::to_string(bits));
    if (info.colorMapped && info.colorMapLength == 0) return Fail(info, "empty colour map");
    info.colorMapEntryBytes = (bits + 7) / 8;
    mapBytes = uint64_t{info.colorMapLength} * static_cast<uint64_t>(info.colorMapEntryBytes);
  } else if (info.colorMapped) {
    return Fail(info, "colour-mapped image without a colour map");
  }
  info.colorMapOffset = kHeaderSize + info.idLength;
  info.pixelDataOffset = info.colorMapOffset + mapBytes;

  // TGA 2.0 footer and extension area.
  uint64_t dataLimit = info.fileLength;
  if (info.fileLength > kHeaderSize) {
    uint8_t signature[sizeof kSignature];
    if (!ReadAt(file, info.fileLength - sizeof signature, signature, sizeof signature)) {
      return Fail(info, "cannot read the footer");
    }
    if (std::memcmp(signature, kSignature, sizeof signature) == 0) {
      if (info.fileLength < kHeaderSize + kFooterSize)
        return Fail(info, "footer overlaps the header");
      dataLimit = info.fileLength - kFooterSize;
      uint8_t offsets[8];
      if (!ReadAt(file, dataLimit, offsets, sizeof offsets))
        return Fail(info, "cannot read the footer");
      info.hasFooter = true;
      info.extensionOffset = Le32(offsets);
    }
  }
  if (info.extensionOffset != 0) {
    // Whoever reads the extension area reads all of it, so it has to be there.
    if (info.extensionOffset < kHeaderSize || info.extensionOffset + kExtensionSize > dataLimit) {
      return Fail(info, "extension area outside the file");
    }
    uint8_t extension[kExtensionSize];
    if (!ReadAt(file, info.extensionOffset, extension, sizeof extension)) {
      return Fail(info, "cannot read the extension area");
    }
    if (Le16(extension) >= kExtensionSize) info.attributesType = extension[kAttributesTypeAt];

    // FreeImage loads the postage stamp trusting its width and height; a stamp whose pixels
    // run past its data would be read out of bounds.
    const uint64_t stampAt = Le32(extension + kPostageStampOffsetAt);
    if (stampAt > 0 && stampAt < dataLimit && dataLimit - stampAt >= 2) {
      uint8_t size[2];
      if (!ReadAt(file, stampAt, size, sizeof size))
        return Fail(info, "cannot read the postage stamp");
      const uint64_t stampBytes = uint64_t{size[1]} * ((uint64_t{size[0]} * depth) / 8);
      if (size[0] && size[1]) {
        if (stampBytes > dataLimit - stampAt - 2)
          return Fail(info, "postage stamp runs past its data");
        // FreeImage has no 15-bit bitmaps: it would copy 15-bit rows into 8-bit ones.
        if (depth == 15) UseOwnReader(info, "15-bit image with a postage stamp");
      }
    }
  }

  if (info.pixelDataOffset > dataLimit)
    return Fail(info, "colour map runs past the end of the file");

  // Pixel data.
  const uint64_t bpp = static_cast<uint64_t>(info.bytesPerPixel);
  if (!info.rle) {
    if (pixels * bpp > dataLimit - info.pixelDataOffset) return Fail(info, "pixel data truncated");
    info.pixelDataEnd = info.pixelDataOffset + pixels * bpp;
  } else {
    ByteStream stream(file, info.pixelDataOffset, dataLimit);
    uint64_t remaining = pixels;
    while (remaining > 0) {
      uint8_t packet = 0;
      if (!stream.Byte(packet)) return Fail(info, "RLE data ends before the last pixel");
      const uint64_t count = (packet & 0x7F) + 1u;
      // A packet that overshoots the image makes FreeImage write past its rows.
      if (count > remaining) return Fail(info, "RLE packet runs past the last pixel");
      if (!stream.Skip((packet & 0x80) ? bpp : count * bpp)) {
        return Fail(info, "RLE data ends before the last pixel");
      }
      remaining -= count;
    }
    info.pixelDataEnd = stream.pos();
    // FreeImage reads RLE data through a cache of (rest of file / height) bytes and assumes
    // a pixel fits in it; very dense data breaks that.
    if ((info.fileLength - info.pixelDataOffset) / info.height < bpp) {
      UseOwnReader(info, "RLE data too dense for FreeImage");
    }
  }

  // Variants FreeImage refuses or misreads.
  if (info.grey && depth == 16) UseOwnReader(info, "16-bit greyscale with an attribute byte");
  if (info.colorMapped && depth == 16) UseOwnReader(info, "16-bit colour map indices");
  if (info.colorMapped && info.colorMapEntryBits == 15)
    UseOwnReader(info, "15-bit colour map entries");
  if (info.colorMapped && info.colorMapFirst > 0)
    UseOwnReader(info, "colour map not starting at entry 0");
  if (!info.colorMapped && mapBytes > 0 && depth != 15 && depth != 16) {
    // FreeImage skips the map only for 15/16-bit pixels; elsewhere it reads the map as
    // pixels (24/32-bit) or as the palette (greyscale).
    UseOwnReader(info, "colour map in a true-colour or greyscale image");
  }

  // Alpha meaning.
  TgaAlpha verdict = TgaAlpha::None;
  const bool hasVerdict = AlphaFromAttributesType(info.attributesType, verdict);
  const bool alphaBytes =
      (!info.colorMapped && !info.grey && depth == 32) || (info.grey && depth == 16);
  if (alphaBytes) {
    info.alpha = hasVerdict                ? verdict
                 : info.attributeBits == 0 ? TgaAlpha::Undeclared
                                           : TgaAlpha::Straight;
  } else if (info.colorMapped && info.colorMapEntryBits == 32) {
    // The descriptor describes pixels, not map entries: a 32-bit map carries alpha unless the
    // extension area says otherwise.
    info.alpha = hasVerdict ? verdict : TgaAlpha::Straight;
  }

  info.ok = true;
  return info;
}

}  // namespace rondix
