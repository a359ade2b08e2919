#include "cli/option_table.h"

#include "core/text.h"

namespace rondix {
namespace {

using K = ValueKind;
using T = OptionTarget;

constexpr OptionDef Run(std::string_view name, std::string_view shortName, ValueKind kind,
                        OptionTarget target, bool joins = false) {
  return {.name = name, .shortName = shortName, .kind = kind, .target = target,
          .commandLineOnly = true, .joinsQuotedValue = joins};
}
constexpr OptionDef Int(std::string_view name, std::string_view group, std::string_view key,
                        FixedSetting also = {}) {
  return {.name = name, .kind = K::Integer, .group = group, .key = key, .also = also};
}
constexpr OptionDef Dec(std::string_view name, std::string_view group, std::string_view key,
                        FixedSetting also = {}) {
  return {.name = name, .kind = K::Decimal, .group = group, .key = key, .also = also};
}
constexpr OptionDef Word(std::string_view name, int vocabulary, std::string_view group,
                         std::string_view key, FixedSetting also = {}) {
  return {.name = name, .kind = K::Keyword, .group = group, .key = key,
          .vocabulary = vocabulary, .also = also};
}
constexpr OptionDef Flag(std::string_view name, std::string_view group, std::string_view key,
                         int32_t value = 1, FixedSetting also = {}) {
  return {.name = name, .kind = K::Flag, .group = group, .key = key, .flagValue = value,
          .also = also};
}
constexpr OptionDef Text(std::string_view name, std::string_view group, std::string_view key,
                         FixedSetting also = {}) {
  return {.name = name, .kind = K::Text, .group = group, .key = key, .also = also,
          .joinsQuotedValue = true};
}

constexpr FixedSetting kRotationOn{"Transform", "Do Image Rotation", 1};
constexpr FixedSetting kResizeOn{"Transform", "Do Image Resize", 1};
constexpr FixedSetting kCorrectionOn{"Adjustment", "Do Image Color Correction", 1};
constexpr FixedSetting kThresholdOn{"Adjustment", "Do Image Threshold", 1};
constexpr FixedSetting kDitherOn{"Adjustment", "Do Image Dither", 1};
constexpr FixedSetting kFrameOn{"Frame", "Do Frame", 1};
constexpr FixedSetting kTextWatermark{"Watermark", "Do Watermark", 1};
constexpr FixedSetting kImageWatermark{"Watermark", "Do Watermark", 2};

constexpr OptionDef kOptions[] = {
    // Project and run.
    Run("--INPUT", "-I", K::Text, T::InputPath, true),
    Run("--OUTPUT", "-O", K::Text, T::OutputFolder, true),
    Run("--CONVERSION", "-C", K::Text, T::OutputFormat),  // quotes stripped, never joined
    Run("--PROFILE", "", K::Text, T::Profile, true),
    Run("--DEBUG", "-D", K::Flag, T::DebugMode),
    Run("--QUIET", "-Q", K::Flag, T::Quiet),
    Run("--PAUSE", "-P", K::Flag, T::Pause),

    // Input.
    Word("--DDS-LOAD-AS", 0, "Input", "DDS Load As"),
    Word("--GIF-FRAME-LOADING", 2, "Input", "GIF Frame Loading"),
    Word("--ICO-FRAME-LOADING", 2, "Input", "ICO Frame Loading"),
    Word("--PSD-COLOR-MODE", 6, "Input", "PSD Color Mode"),
    Word("--RAW-LOAD-AS", 1, "Input", "RAW Load As"),
    Int("--RAW-HEADER-SIZE", "Input", "RAW Header Size"),
    Int("--RAW-WIDTH", "Input", "RAW Image Width"),
    Int("--RAW-HEIGHT", "Input", "RAW Image Height"),
    Word("--RAW-TONE-MAPPING", 3, "Input", "RAW Tone Mapping"),
    Word("--TIFF-FRAME-LOADING", 2, "Input", "TIFF Frame Loading"),

    // Output: one bit-depth option per format, then the save options.
    Int("--BMP-BPP", "Output", "BMP BPP"),
    Int("--DDS-BPP", "Output", "DDS BPP"),
    Int("--EXR-BPP", "Output", "EXR BPP"),
    Int("--GIF-BPP", "Output", "GIF BPP"),
    Int("--HDR-BPP", "Output", "HDR BPP"),
    Int("--ICO-BPP", "Output", "ICO BPP"),
    Int("--J2K-BPP", "Output", "J2K BPP"),
    Int("--JNG-BPP", "Output", "JNG BPP"),
    Int("--JP2-BPP", "Output", "JP2 BPP"),
    Int("--JPG-BPP", "Output", "JPG BPP"),
    Int("--JXR-BPP", "Output", "JXR BPP"),
    Int("--PBM-BPP", "Output", "PBM BPP"),
    Int("--PCX-BPP", "Output", "PCX BPP"),
    Int("--PFM-BPP", "Output", "PFM BPP"),
    Int("--PGM-BPP", "Output", "PGM BPP"),
    Int("--PNG-BPP", "Output", "PNG BPP"),
    Int("--PPM-BPP", "Output", "PPM BPP"),
    Int("--PSD-BPP", "Output", "PSD BPP"),
    Int("--TGA-BPP", "Output", "TGA BPP"),
    Int("--TIFF-BPP", "Output", "TIFF BPP"),
    Int("--WBMP-BPP", "Output", "WBMP BPP"),
    Int("--WEBP-BPP", "Output", "WEBP BPP"),
    Int("--XPM-BPP", "Output", "XPM BPP"),
    Word("--BMP-COMPRESSION", 4, "Output", "BMP Compression"),
    Word("--BMP-COLOR-TABLE", 5, "Output", "BMP Color Table"),
    Word("--EXR-COMPRESSION", 4, "Output", "EXR Compression"),
    Int("--JPG-QUALITY", "Output", "JPG Quality"),
    Word("--JPG-CHROMA", 7, "Output", "JPG Chroma"),
    Word("--JPG-SAVE-AS", 8, "Output", "JPG Save As"),
    Word("--PNG-COMPRESSION", 4, "Output", "PNG Compression"),
    Flag("--PNG-INTERLACED", "Output", "PNG Interlaced"),
    Word("--TGA-COMPRESSION", 4, "Output", "TGA Compression"),
    Word("--TIFF-COMPRESSION", 4, "Output", "TIFF Compression"),
    Word("--TIFF-COLOR-MODE", 6, "Output", "TIFF Color Mode"),
    Int("--WEBP-QUALITY", "Output", "WEBP Quality"),

    // Transform and adjustment.
    Word("--ROTATION-TYPE", 9, "Transform", "Image Rotation Type"),
    Int("--ROTATION", "Transform", "Image Rotation", kRotationOn),
    Text("--ROTATION-BACK-COLOR", "Transform", "Image Rotation Back Color"),
    Int("--WIDTH", "Transform", "Image Width", kResizeOn),
    Word("--WIDTH-UNIT", 10, "Transform", "Image Width Unit"),
    Int("--HEIGHT", "Transform", "Image Height", kResizeOn),
    Word("--HEIGHT-UNIT", 10, "Transform", "Image Height Unit"),
    Flag("--KEEP-ASPECT-RATIO", "Transform", "Keep Aspect Ratio"),
    Word("--RESIZE-TYPE", 11, "Transform", "Image Resize Type"),
    Word("--RESIZE-ALGORITHM", 12, "Transform", "Image Resize Algorithm"),
    Flag("--FLIP-HORIZONTAL", "Transform", "Do Image Flip Horizontal"),
    Flag("--FLIP-VERTICAL", "Transform", "Do Image Flip Vertical"),
    Int("--BRIGHTNESS", "Adjustment", "Image Brightness", kCorrectionOn),
    Int("--CONTRAST", "Adjustment", "Image Contrast", kCorrectionOn),
    Dec("--GAMMA", "Adjustment", "Image Gamma", kCorrectionOn),
    Flag("--INVERT", "Adjustment", "Image Invert", 1, kCorrectionOn),
    Flag("--GREYSCALE", "Adjustment", "Do Image Greyscale"),
    Int("--THRESHOLD", "Adjustment", "Image Threshold", kThresholdOn),
    Word("--DITHER", 13, "Adjustment", "Image Dither Algorithm", kDitherOn),

    // Frame.
    Int("--FR-SOLID-LEFT", "Frame", "Solid Left", kFrameOn),
    Int("--FR-SOLID-RIGHT", "Frame", "Solid Right", kFrameOn),
    Int("--FR-SOLID-TOP", "Frame", "Solid Top", kFrameOn),
    Int("--FR-SOLID-BOTTOM", "Frame", "Solid Bottom", kFrameOn),
    Text("--FR-SOLID-LEFT-COLOR", "Frame", "Solid Left Color"),
    Text("--FR-SOLID-RIGHT-COLOR", "Frame", "Solid Right Color"),
    Text("--FR-SOLID-TOP-COLOR", "Frame", "Solid Top Color"),
    Text("--FR-SOLID-BOTTOM-COLOR", "Frame", "Solid Bottom Color"),
    // Profiles have always spelled this key with the watermark prefix.
    {.name = "--FR-SOLID-OPACITY", .kind = K::Integer, .group = "Frame", .key = "Solid Opacity",
     .profileName = "--WM-SOLID-OPACITY"},

    // Watermark.
    Text("--WM-TEXT", "Watermark", "Text", kTextWatermark),
    Text("--WM-FONT", "Watermark", "Font"),
    Int("--WM-FONT-SIZE", "Watermark", "Font Size"),
    Int("--WM-FONT-LEADING", "Watermark", "Font Leading"),
    Text("--WM-FONT-COLOR", "Watermark", "Font Color"),
    Word("--WM-FONT-STYLE", 16, "Watermark", "Font Style"),
    Word("--WM-FONT-EFFECT", 17, "Watermark", "Font Effect"),
    Flag("--WM-TEXT-ANTIALIASING", "Watermark", "Text Antialiasing"),
    Word("--WM-TEXT-ALIGNMENT", 18, "Watermark", "Text Alignment"),
    Int("--WM-TEXT-PADDING", "Watermark", "Text Padding"),
    Int("--WM-TEXT-OPACITY", "Watermark", "Text Opacity"),
    Text("--WM-BACK-COLOR", "Watermark", "Back Color"),
    Int("--WM-BACK-OPACITY", "Watermark", "Back Opacity"),
    Word("--WM-TEXT-BOUNDARY", 19, "Watermark", "Text Boundary"),
    Word("--WM-TEXT-POSITION", 20, "Watermark", "Text Position"),
    Int("--WM-TEXT-X-OFFSET", "Watermark", "Text X Offset"),
    Int("--WM-TEXT-Y-OFFSET", "Watermark", "Text Y Offset"),
    Int("--WM-TEXT-ROTATION", "Watermark", "Text Rotation"),
    Word("--WM-TEXT-SIZE", 21, "Watermark", "Text Size"),
    Text("--WM-IMAGE", "Watermark", "Image", kImageWatermark),
    Flag("--WM-IMAGE-GREYSCALE", "Watermark", "Image Greyscale"),
    Int("--WM-IMAGE-OPACITY", "Watermark", "Image Opacity"),
    Word("--WM-IMAGE-BOUNDARY", 19, "Watermark", "Image Boundary"),
    Word("--WM-IMAGE-POSITION", 20, "Watermark", "Image Position"),
    Int("--WM-IMAGE-X-OFFSET", "Watermark", "Image X Offset"),
    Int("--WM-IMAGE-Y-OFFSET", "Watermark", "Image Y Offset"),
    Int("--WM-IMAGE-ROTATION", "Watermark", "Image Rotation"),
    Word("--WM-IMAGE-SIZE", 21, "Watermark", "Image Size"),

    // Naming.
    {.name = "--FILENAME-MASK", .kind = K::Text, .group = "Advanced", .key = "Filename Mask",
     .profileStripsQuotes = true, .joinsQuotedValue = true},
    Word("--FILE-TIMESTAMP", 22, "Advanced", "File Timestamp"),
    Int("--FILE-TIMESTAMP-CUSTOM", "Advanced", "Custom Timestamp"),
    Flag("--NO-SUBFOLDERS", "Advanced", "Keep Subfolders", 0),
};

}  // namespace

std::span<const OptionDef> OptionTable() { return kOptions; }

const OptionDef* FindOption(std::string_view name) {
  if (name.empty()) return nullptr;
  for (const OptionDef& def : kOptions) {
    if (def.name == name || def.shortName == name) return &def;
  }
  return nullptr;
}

const OptionDef* FindProfileOption(std::string_view key) {
  std::string upper = AsciiUpper(key);
  for (const OptionDef& def : kOptions) {
    if (def.commandLineOnly) continue;
    std::string_view profileName = def.profileName.empty() ? def.name : def.profileName;
    if (profileName == upper) return &def;
  }
  return nullptr;
}

}  // namespace rondix
