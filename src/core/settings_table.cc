#include "core/settings_table.h"

#include <array>
#include <string>
#include <unordered_map>

#include "core/text.h"

namespace rondix {
namespace {

using enum SettingType;
constexpr SettingHalf A = SettingHalf::App;
constexpr SettingHalf C = SettingHalf::Conversion;
constexpr std::string_view kPalette = "000000,FFFFFF,FF0000,FF8000,FFFF00,008000,00FFFF,0000FF,8000FF";

constexpr SettingDef kDefs[] = {
    {A, "General", "CFG", Long, 19},
    {A, "General", "Language", String, 0, "en"},
    {A, "General", "Update Range", Long, 2},
    {A, "General", "Update Date", Date, 0, {}, DefaultRule::Now},
    {A, "General", "Save Window Position", Byte, 1},

    {A, "Window", "IsMaximized", Byte, 0},
    {A, "Window", "X", Long, 100, {}, DefaultRule::DesktopX},
    {A, "Window", "Y", Long, 100, {}, DefaultRule::DesktopY},
    {A, "Window", "Width", Long, 510},
    {A, "Window", "Height", Long, 260},

    {A, "Interface", "UI Theme", String, 0, "handdrawn"},
    {A, "Interface", "UI Size", Long, 2},

    {C, "Input", "Format", String, 0, {}, DefaultRule::FirstInputFormat},
    {C, "Input", "DDS Load As", Long, 0},
    {C, "Input", "GIF Frame Loading", Long, 0},
    {C, "Input", "ICO Frame Loading", Long, 0},
    {C, "Input", "TIFF Frame Loading", Long, 0},
    {C, "Input", "PSD Color Mode", Long, 0},
    {C, "Input", "RAW Load As", Long, 0},
    {C, "Input", "RAW Header Size", Long, 0},
    {C, "Input", "RAW Image Width", Long, 0},
    {C, "Input", "RAW Image Height", Long, 0},
    {C, "Input", "RAW Tone Mapping", Long, 2},

    {C, "Output", "Format", String, 0, {}, DefaultRule::FirstOutputFormat},
    {C, "Output", "BMP BPP", Long, 0},
    {C, "Output", "BMP Compression", Long, 0},
    {C, "Output", "BMP Color Table", Long, 0},
    {C, "Output", "DDS BPP", Long, 0},
    {C, "Output", "EXR BPP", Long, 0},
    {C, "Output", "EXR Compression", Long, 0},
    {C, "Output", "GIF BPP", Long, 0},
    {C, "Output", "HDR BPP", Long, 0},
    {C, "Output", "ICO BPP", Long, 0},
    {C, "Output", "J2K BPP", Long, 0},
    {C, "Output", "JNG BPP", Long, 0},
    {C, "Output", "JP2 BPP", Long, 0},
    {C, "Output", "JPG BPP", Long, 0},
    {C, "Output", "JPG Quality", Long, 95},
    {C, "Output", "JPG Chroma", Long, 0},
    {C, "Output", "JPG Save As", Long, 0},
    {C, "Output", "JXR BPP", Long, 0},
    {C, "Output", "PBM BPP", Long, 0},
    {C, "Output", "PCX BPP", Long, 0},
    {C, "Output", "PFM BPP", Long, 0},
    {C, "Output", "PGM BPP", Long, 0},
    {C, "Output", "PNG BPP", Long, 0},
    {C, "Output", "PNG Compression", Long, 0},
    {C, "Output", "PNG Interlaced", Byte, 0},
    {C, "Output", "PPM BPP", Long, 0},
    {C, "Output", "PSD BPP", Long, 0},
    {C, "Output", "TGA BPP", Long, 0},
    {C, "Output", "TGA Compression", Long, 0},
    {C, "Output", "TIFF BPP", Long, 0},
    {C, "Output", "TIFF Compression", Long, 0},
    {C, "Output", "TIFF Color Mode", Long, 0},
    {C, "Output", "WBMP BPP", Long, 0},
    {C, "Output", "WEBP BPP", Long, 0},
    {C, "Output", "WEBP Quality", Long, 100},
    {C, "Output", "XPM BPP", Long, 0},

    {C, "Transform", "Do Image Rotation", Byte, 0},
    {C, "Transform", "Image Rotation Type", Byte, 0},
    {C, "Transform", "Image Rotation", Long, 0},
    {C, "Transform", "Image Rotation Back Color", String, 0, "000000"},
    {C, "Transform", "Do Image Resize", Byte, 0},
    {C, "Transform", "Image Width", Long, 0},
    {C, "Transform", "Image Width Unit", Byte, 0},
    {C, "Transform", "Image Height", Long, 0},
    {C, "Transform", "Image Height Unit", Byte, 0},
    {C, "Transform", "Keep Aspect Ratio", Byte, 1},
    {C, "Transform", "Image Resize Type", Byte, 0},
    {C, "Transform", "Image Resize Algorithm", Byte, 3},
    {C, "Transform", "Do Image Flip Horizontal", Byte, 0},
    {C, "Transform", "Do Image Flip Vertical", Byte, 0},

    {C, "Adjustment", "Do Image Color Correction", Byte, 0},
    {C, "Adjustment", "Image Brightness", Long, 0},
    {C, "Adjustment", "Image Contrast", Long, 0},
    {C, "Adjustment", "Image Gamma", Float, 1.0},
    {C, "Adjustment", "Image Invert", Byte, 0},
    {C, "Adjustment", "Do Image Greyscale", Byte, 0},
    {C, "Adjustment", "Do Image Threshold", Byte, 0},
    {C, "Adjustment", "Image Threshold", Long, 0},
    {C, "Adjustment", "Do Image Dither", Byte, 0},
    {C, "Adjustment", "Image Dither Algorithm", Byte, 0},

    {C, "Frame", "Do Frame", Byte, 0},
    {C, "Frame", "Solid Left", Long, 0},
    {C, "Frame", "Solid Right", Long, 0},
    {C, "Frame", "Solid Top", Long, 0},
    {C, "Frame", "Solid Bottom", Long, 0},
    {C, "Frame", "Solid Left Color", String, 0, "000000"},
    {C, "Frame", "Solid Right Color", String, 0, "000000"},
    {C, "Frame", "Solid Top Color", String, 0, "000000"},
    {C, "Frame", "Solid Bottom Color", String, 0, "000000"},
    {C, "Frame", "Solid Opacity", Long, 255},

    {C, "Watermark", "Do Watermark", Byte, 0},
    {C, "Watermark", "Text", String, 0, kDefaultWatermarkText},
    {C, "Watermark", "Fonts", String, 0, "Arial,Tahoma,Verdana"},
    {C, "Watermark", "Font", String, 0, "Arial"},
    {C, "Watermark", "Font Size", Long, 14},
    {C, "Watermark", "Font Leading", Long, 0},
    {C, "Watermark", "Font Colors", String, 0, kPalette},
    {C, "Watermark", "Font Color", String, 0, "FFFFFF"},
    {C, "Watermark", "Font Style", Byte, 0},
    {C, "Watermark", "Font Effect", Byte, 0},
    {C, "Watermark", "Text Antialiasing", Byte, 0},
    {C, "Watermark", "Text Alignment", Byte, 0},
    {C, "Watermark", "Text Padding", Long, 0},
    {C, "Watermark", "Text Opacity", Long, 255},
    {C, "Watermark", "Back Colors", String, 0, kPalette},
    {C, "Watermark", "Back Color", String, 0, "000000"},
    {C, "Watermark", "Back Opacity", Long, 1},
    {C, "Watermark", "Text Boundary", Byte, 0},
    {C, "Watermark", "Text Position", Byte, 8},
    {C, "Watermark", "Text X Offset", Long, 10},
    {C, "Watermark", "Text Y Offset", Long, 10},
    {C, "Watermark", "Text Rotation", Long, 0},
    {C, "Watermark", "Text Size", Byte, 0},
    {C, "Watermark", "Text Scale", Long, 10},
    {C, "Watermark", "Image", String, 0, ""},
    {C, "Watermark", "Image Greyscale", Byte, 0},
    {C, "Watermark", "Image Opacity", Long, 255},
    {C, "Watermark", "Image Boundary", Byte, 0},
    {C, "Watermark", "Image Position", Byte, 8},
    {C, "Watermark", "Image X Offset", Long, 10},
    {C, "Watermark", "Image Y Offset", Long, 10},
    {C, "Watermark", "Image Rotation", Long, 0},
    {C, "Watermark", "Image Size", Byte, 0},
    {C, "Watermark", "Image Scale", Long, 10},

    {C, "Advanced", "Filename Mask", String, 0, "%filename%.%ext%"},
    {C, "Advanced", "File Timestamp", Byte, 0},
    {C, "Advanced", "Custom Timestamp", Date, 0, {}, DefaultRule::Now},
    {C, "Advanced", "Out Folders History", Byte, 1},
    {C, "Advanced", "Out Folders Number", Byte, 5},
    {C, "Advanced", "Keep Subfolders", Byte, 1},

    {A, "File", "Recent Out Folders", String, 0, ""},
    {A, "File", "Recent Files", String, 0, ""},

    {A, "Privacy", "Clean Recent Files", Byte, 0},
};

std::string LookupName(std::string_view group, std::string_view key) {
  std::string name = AsciiLower(group);
  name += '\n';
  name += AsciiLower(key);
  return name;
}

const std::unordered_map<std::string, int>& Index() {
  static const std::unordered_map<std::string, int> index = [] {
    std::unordered_map<std::string, int> map;
    for (int i = 0; i < static_cast<int>(std::size(kDefs)); ++i) {
      map.emplace(LookupName(kDefs[i].group, kDefs[i].key), i);
    }
    return map;
  }();
  return index;
}

}  // namespace

std::span<const SettingDef> SettingDefs() { return kDefs; }

int FindSettingIndex(std::string_view group, std::string_view key) {
  const auto& index = Index();
  auto it = index.find(LookupName(group, key));
  return it == index.end() ? -1 : it->second;
}

}  // namespace rondix
