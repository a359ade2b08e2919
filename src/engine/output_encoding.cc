#include "engine/output_encoding.h"

#include <array>
#include <charconv>

#include "core/formats.h"
#include "engine/image_handover.h"

namespace rondix {
namespace {

constexpr BitDepthKeyRow kBitDepthKeys[] = {
    {"bmp", "BMP BPP"},   {"dds", "DDS BPP"},   {"exr", "EXR BPP"},   {"gif", "GIF BPP"},
    {"hdr", "HDR BPP"},   {"ico", "ICO BPP"},   {"j2k", "J2K BPP"},   {"jng", "JNG BPP"},
    {"jp2", "JP2 BPP"},   {"jpg", "JPG BPP"},   {"jxr", "JXR BPP"},   {"pbm", "PBM BPP"},
    {"pcx", "PCX BPP"},   {"pfm", "PFM BPP"},   {"pgm", "PGM BPP"},   {"png", "PNG BPP"},
    {"ppm", "PPM BPP"},   {"psd", "PSD BPP"},   {"tga", "TGA BPP"},   {"tiff", "TIFF BPP"},
    {"wbmp", "WBMP BPP"}, {"webp", "WEBP BPP"}, {"xpm", "XPM BPP"},
};

// How one "Output" setting contributes to the save flags of its format.
enum class FlagRule : uint8_t {
  Always,         // flags[0], whatever is stored
  Choice,         // flags[stored value] for 0..count-1; anything else adds nothing
  Value,          // the stored value itself (a quality)
  ValueUnless100, // the stored value, but 100 gives flags[0] (lossless)
  NonZero,        // flags[0] when the stored value is not 0
};

struct SaveFlagPart {
  std::string_view extension;
  std::string_view key;  // group "Output"; unused by Always
  FlagRule rule;
  std::array<int32_t, 9> flags;
  int count = 0;
};

// The parts of one format are or-ed together; formats not listed save with 0.
constexpr SaveFlagPart kSaveFlagParts[] = {
    {"bmp", "BMP Compression", FlagRule::Choice, {0, BMP_SAVE_RLE}, 2},
    {"exr", "EXR Compression", FlagRule::Choice,
     {EXR_NONE, EXR_ZIP, EXR_PIZ, EXR_PXR24, EXR_B44}, 5},
    {"jpg", "JPG Quality", FlagRule::Value, {}, 0},
    {"jpg", "JPG Chroma", FlagRule::Choice,
     {JPEG_SUBSAMPLING_444, JPEG_SUBSAMPLING_422, JPEG_SUBSAMPLING_420, JPEG_SUBSAMPLING_411},
     4},
    {"jpg", "JPG Save As", FlagRule::Choice,
     {0, JPEG_BASELINE, JPEG_OPTIMIZE, JPEG_PROGRESSIVE}, 4},
    {"jxr", "", FlagRule::Always, {JXR_LOSSLESS}, 1},
    {"png", "PNG Compression", FlagRule::Choice,
     {PNG_Z_NO_COMPRESSION, PNG_Z_BEST_SPEED, PNG_Z_DEFAULT_COMPRESSION, PNG_Z_BEST_COMPRESSION},
     4},
    {"png", "PNG Interlaced", FlagRule::NonZero, {PNG_INTERLACED}, 1},
    {"tga", "TGA Compression", FlagRule::Choice, {0, TARGA_SAVE_RLE}, 2},
    {"tiff", "TIFF Compression", FlagRule::Choice,
     {TIFF_NONE, TIFF_CCITTFAX3, TIFF_CCITTFAX4, TIFF_PACKBITS, TIFF_DEFLATE, TIFF_ADOBE_DEFLATE,
      TIFF_LZW, TIFF_JPEG, TIFF_LOGLUV},
     9},
    {"tiff", "TIFF Color Mode", FlagRule::Choice, {0, TIFF_CMYK}, 2},
    {"webp", "WEBP Quality", FlagRule::ValueUnless100, {WEBP_LOSSLESS}, 1},
};

int32_t PartFlags(const SaveFlagPart& part, const SettingsStore& settings) {
  if (part.rule == FlagRule::Always) return part.flags[0];
  const int32_t stored = settings.Int("Output", part.key);
  switch (part.rule) {
    case FlagRule::Choice:
      return stored >= 0 && stored < part.count ? part.flags[static_cast<size_t>(stored)] : 0;
    case FlagRule::Value:
      return stored;
    case FlagRule::ValueUnless100:
      return stored == 100 ? part.flags[0] : stored;
    case FlagRule::NonZero:
      return stored != 0 ? part.flags[0] : 0;
    case FlagRule::Always:
      break;
  }
  return 0;
}

}  // namespace

std::span<const BitDepthKeyRow> BitDepthKeys() { return kBitDepthKeys; }

std::string_view BitDepthKey(std::string_view extension) {
  for (const BitDepthKeyRow& row : kBitDepthKeys) {
    if (row.extension == extension) return row.key;
  }
  return {};
}

void PrepareOutputFormat(const std::string& extension, const SettingsStore& settings,
                         ProjectState& state) {
  const OutputFormat* format = FindOutputFormat(extension);
  state.outputExtension = extension;
  state.outputFormatId = format ? format->freeImageFormat : FIF_UNKNOWN;
  const std::string_view key = BitDepthKey(extension);
  state.targetBitsPerPixel = key.empty() ? 0 : settings.Int("Output", key);
  state.saveFlags = SaveFlags(extension, settings);
  state.automaticDepth = state.targetBitsPerPixel == 0 ? 1 : 0;
}

int32_t SaveFlags(const std::string& extension, const SettingsStore& settings) {
  int32_t flags = 0;
  for (const SaveFlagPart& part : kSaveFlagParts) {
    if (part.extension == extension) flags |= PartFlags(part, settings);
  }
  return flags;
}

int32_t AutoBitDepth(const std::string& extension, int32_t bitsPerPixel) {
  const OutputFormat* format = FindOutputFormat(extension);
  if (!format) return bitsPerPixel;
  std::string_view rest = format->bitDepths;
  int32_t field = bitsPerPixel;
  while (!rest.empty()) {
    const size_t comma = rest.find(',');
    const std::string_view piece = rest.substr(0, comma);
    field = 0;
    std::from_chars(piece.data(), piece.data() + piece.size(), field);
    if (field >= bitsPerPixel) return field;
    rest = comma == std::string_view::npos ? std::string_view() : rest.substr(comma + 1);
  }
  return field;  // none was large enough: the last one
}

FIBITMAP* ConvertForOutput(FIBITMAP* image, ProjectState& state) {
  if (!image) return nullptr;
  if (state.automaticDepth == 1) {
    state.targetBitsPerPixel = AutoBitDepth(state.outputExtension, state.loadedBitsPerPixel);
  }
  const int32_t target = state.targetBitsPerPixel;
  const unsigned depth = FreeImage_GetBPP(image);
  if (depth == static_cast<unsigned>(target)) return image;

  const std::string& ext = state.outputExtension;
  switch (target) {
    case 96:
      return Replaced(image, FreeImage_ConvertToRGBF(image));
    case 48:
      return Replaced(image, FreeImage_ConvertToRGB16(image));
    case 32:
      return Replaced(image, FreeImage_ConvertTo32Bits(image));
    case 24:
      return Replaced(image, FreeImage_ConvertTo24Bits(image));
    case 16:
      if (depth > 32) image = ConvertedTo24Bits(image);
      if (!image) return nullptr;
      if (ext == "ico" || ext == "tga") return Replaced(image, FreeImage_ConvertTo16Bits555(image));
      return Replaced(image, FreeImage_ConvertTo16Bits565(image));
    case 8:
      // These writers take grey 8-bit images; the others get a quantised palette.
      if (ext == "j2k" || ext == "jp2" || ext == "jpg" || ext == "jxr") {
        return Replaced(image, FreeImage_ConvertTo8Bits(image));
      }
      if (depth != 24) image = ConvertedTo24Bits(image);
      if (!image) return nullptr;
      return Replaced(image, FreeImage_ColorQuantizeEx(image, FIQ_WUQUANT, 256, 0, nullptr));
    case 4:
      return Replaced(image, FreeImage_ConvertTo4Bits(image));
    case 1:
      return Replaced(image, FreeImage_Dither(image, FID_FS));
    default:
      FreeImage_Unload(image);
      return nullptr;
  }
}

}  // namespace rondix
