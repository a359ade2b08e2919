#include "ui/preferences_pages.h"

namespace rondix {
namespace {

using K = RowKind;
using E = std::string_view;

// List entries ("Preferences" keys), in stored-value order.
constexpr E kUpdateRange[] = {"Every day",      "Every week",     "Every month",
                              "Every 3 months", "Every 6 months", "Never"};
constexpr E kUiSize[] = {"Small", "Medium", "Large"};
constexpr E kDdsLoadAs[] = {"Auto", "BGRA", "RGBA"};
constexpr E kFrameLoading[] = {"All Frames", "First Frame", "Middle Frame", "Last Frame",
                               "Random Frame"};
constexpr E kPsdColorMode[] = {"RGB", "CMYK", "LAB"};
constexpr E kRawLoadAs[] = {"Auto", "RGB8", "RGB16", "RGB24", "RGB48HS", "RGB48"};
constexpr E kToneMapping[] = {"None", "Linear", "Adaptive Logarithmic", "DR Reduction",
                              "Gradient Domain"};
constexpr E kNoneRle[] = {"None", "RLE"};
constexpr E kRleOnly[] = {"RLE"};
constexpr E kBmpColorTable[] = {"Auto", "Exact"};
constexpr E kExrCompression[] = {"None", "ZIP", "PIZ", "PXR24", "B44"};
constexpr E kJpgChroma[] = {"None", "Low", "Medium", "High"};
constexpr E kJpgSaveAs[] = {"Baseline Standard", "Baseline Simple", "Baseline Optimized",
                            "Progressive"};
constexpr E kPngCompression[] = {"None", "ZLIB1", "ZLIB6", "ZLIB9"};
constexpr E kTiffCompression[] = {"None",         "CCITTFAX3", "CCITTFAX4", "PACKBITS", "DEFLATE",
                                  "ADOBEDEFLATE", "LZW",       "JPEG",      "LOGLUV"};
constexpr E kTiffColorMode[] = {"RGB", "CMYK"};
constexpr E kRotationType[] = {"Simple Rotation", "Advanced Rotation"};
constexpr E kSizeUnits[] = {"Pixels", "Percent"};
constexpr E kResizeType[] = {"All Images", "Large Images"};
constexpr E kResizeAlgorithm[] = {"Box", "Bilinear", "Bspline", "Bicubic", "Catmullrom", "Lanczos"};
constexpr E kDitherAlgorithm[] = {"FS",       "Bayer4",   "Bayer8",   "Bayer16",
                                  "Cluster6", "Cluster8", "Cluster16"};
constexpr E kFrameType[] = {"None", "Frame Solid"};
constexpr E kWatermarkType[] = {"None", "Watermark Text", "Watermark Image"};
constexpr E kFontStyle[] = {"Regular", "Bold", "Italic", "Bold Italic"};
constexpr E kFontEffect[] = {"None", "Underline", "Strikeout"};
constexpr E kAlignment[] = {"Align Left", "Align Center", "Align Right"};
constexpr E kBoundary[] = {"Bound Image", "Bound Frame"};
constexpr E kPosition[] = {"Top-Left",    "Top-Center",    "Top-Right",
                           "Middle-Left", "Middle-Center", "Middle-Right",
                           "Bottom-Left", "Bottom-Center", "Bottom-Right"};
constexpr E kFixedSize[] = {"Fixed"};
constexpr E kTimestamp[] = {"Current", "Original", "Custom"};
constexpr E kFolderHistory[] = {"Clean On Exit", "Keep Folders"};

constexpr RowSpec kGeneralRows[] = {
    {"Language", K::Language, "General", "Language"},
    {"Check For Updates", K::DropDown, "General", "Update Range", kUpdateRange},
    {"Save window position", K::CheckBox, "General", "Save Window Position"},
};

constexpr RowSpec kInterfaceRows[] = {
    {"UI Theme", K::Theme, "Interface", "UI Theme"},
    {"UI Size", K::DropDown, "Interface", "UI Size", kUiSize},
};

constexpr RowSpec kInputRows[] = {{"Input Format", K::FormatList, "Input", "Format"}};
constexpr RowSpec kOutputRows[] = {{"Output Format", K::FormatList, "Output", "Format"}};

constexpr RowSpec kDdsInputRows[] = {{"Load As", K::DropDown, "Input", "DDS Load As", kDdsLoadAs}};
constexpr RowSpec kGifInputRows[] = {
    {"Frame Loading", K::DropDown, "Input", "GIF Frame Loading", kFrameLoading}};
constexpr RowSpec kIcoInputRows[] = {
    {"Frame Loading", K::DropDown, "Input", "ICO Frame Loading", kFrameLoading}};
constexpr RowSpec kPsdInputRows[] = {
    {"Color Mode", K::DropDown, "Input", "PSD Color Mode", kPsdColorMode}};
constexpr RowSpec kRawInputRows[] = {
    {"Load As", K::DropDown, "Input", "RAW Load As", kRawLoadAs},
    {"Header Size", K::Number, "Input", "RAW Header Size", {}, 0, 0, 0, "Bytes"},
    {"Image Width", K::Number, "Input", "RAW Image Width", {}, 0, 0, 0, "Pixels"},
    {"Image Height", K::Number, "Input", "RAW Image Height", {}, 0, 0, 0, "Pixels"},
    {"Tone Mapping", K::DropDown, "Input", "RAW Tone Mapping", kToneMapping},
};
constexpr RowSpec kTiffInputRows[] = {
    {"Frame Loading", K::DropDown, "Input", "TIFF Frame Loading", kFrameLoading}};

constexpr RowSpec kNoRow = {{}, K::DropDown, {}, {}};

constexpr SubPageSpec kInputSubPages[] = {
    {"dds", kNoRow, kDdsInputRows}, {"gif", kNoRow, kGifInputRows},
    {"ico", kNoRow, kIcoInputRows}, {"psd", kNoRow, kPsdInputRows},
    {"raw", kNoRow, kRawInputRows}, {"tiff", kNoRow, kTiffInputRows},
};

// "Bits Per Pixel" of an output format, bound to its depth key.
constexpr RowSpec Bpp(std::string_view format, std::string_view key) {
  return {"Bits Per Pixel", K::BitDepth, "Output", key, {}, 0, 0, 0, format};
}

constexpr RowSpec kBmpRows[] = {
    {"Compression", K::DropDown, "Output", "BMP Compression", kNoneRle},
    {"Color Table", K::DropDown, "Output", "BMP Color Table", kBmpColorTable},
};
constexpr RowSpec kExrRows[] = {
    {"Compression", K::DropDown, "Output", "EXR Compression", kExrCompression}};
constexpr RowSpec kJpgRows[] = {
    {"Image Quality", K::SliderSpinner, "Output", "JPG Quality", {}, 1, 100},
    {"Chroma Subsampling", K::DropDown, "Output", "JPG Chroma", kJpgChroma},
    {"Save As", K::DropDown, "Output", "JPG Save As", kJpgSaveAs},
};
constexpr RowSpec kPcxRows[] = {{"Compression", K::FixedDropDown, {}, {}, kRleOnly}};
constexpr RowSpec kPngRows[] = {
    {"Compression", K::DropDown, "Output", "PNG Compression", kPngCompression},
    {"Interlaced", K::CheckBox, "Output", "PNG Interlaced"},
};
constexpr RowSpec kTgaRows[] = {
    {"Compression", K::DropDown, "Output", "TGA Compression", kNoneRle}};
constexpr RowSpec kTiffRows[] = {
    {"Compression", K::DropDown, "Output", "TIFF Compression", kTiffCompression},
    {"Color Mode", K::DropDown, "Output", "TIFF Color Mode", kTiffColorMode},
};
constexpr RowSpec kWebpRows[] = {
    {"Image Quality", K::SliderSpinner, "Output", "WEBP Quality", {}, 1, 100}};

// Every format with a bit-depth setting has a sub-page, whether or not it can be chosen.
constexpr SubPageSpec kOutputSubPages[] = {
    {"bmp", Bpp("bmp", "BMP BPP"), kBmpRows}, {"dds", Bpp("dds", "DDS BPP"), {}},
    {"exr", Bpp("exr", "EXR BPP"), kExrRows}, {"gif", Bpp("gif", "GIF BPP"), {}},
    {"hdr", Bpp("hdr", "HDR BPP"), {}},       {"ico", Bpp("ico", "ICO BPP"), {}},
    {"j2k", Bpp("j2k", "J2K BPP"), {}},       {"jng", Bpp("jng", "JNG BPP"), {}},
    {"jp2", Bpp("jp2", "JP2 BPP"), {}},       {"jpg", Bpp("jpg", "JPG BPP"), kJpgRows},
    {"jxr", Bpp("jxr", "JXR BPP"), {}},       {"pbm", Bpp("pbm", "PBM BPP"), {}},
    {"pcx", Bpp("pcx", "PCX BPP"), kPcxRows}, {"pfm", Bpp("pfm", "PFM BPP"), {}},
    {"pgm", Bpp("pgm", "PGM BPP"), {}},       {"png", Bpp("png", "PNG BPP"), kPngRows},
    {"ppm", Bpp("ppm", "PPM BPP"), {}},       {"psd", Bpp("psd", "PSD BPP"), {}},
    {"tga", Bpp("tga", "TGA BPP"), kTgaRows}, {"tiff", Bpp("tiff", "TIFF BPP"), kTiffRows},
    {"wbmp", Bpp("wbmp", "WBMP BPP"), {}},    {"webp", Bpp("webp", "WEBP BPP"), kWebpRows},
    {"xpm", Bpp("xpm", "XPM BPP"), {}},
};

constexpr RowSpec kTransformRows[] = {
    {"Image Rotation", K::CheckBox, "Transform", "Do Image Rotation"},
    {"Rotation Type", K::DropDown, "Transform", "Image Rotation Type", kRotationType},
    {"Rotation Angle", K::SliderSpinner, "Transform", "Image Rotation", {}, 0, 360},
    {"Background Color", K::ColorButton, "Transform", "Image Rotation Back Color"},
    {"Image Resize", K::CheckBox, "Transform", "Do Image Resize"},
    {"Image Width", K::NumberAndUnit, "Transform", "Image Width", kSizeUnits, 0, 0, 0,
     "Image Width Unit"},
    {"Image Height", K::NumberAndUnit, "Transform", "Image Height", kSizeUnits, 0, 0, 0,
     "Image Height Unit"},
    {"Keep Aspect Ratio", K::CheckBox, "Transform", "Keep Aspect Ratio"},
    {"Resize Type", K::DropDown, "Transform", "Image Resize Type", kResizeType},
    {"Resize Algorithm", K::DropDown, "Transform", "Image Resize Algorithm", kResizeAlgorithm},
    {"Image Flip Horizontal", K::CheckBox, "Transform", "Do Image Flip Horizontal"},
    {"Image Flip Vertical", K::CheckBox, "Transform", "Do Image Flip Vertical"},
};

constexpr RowSpec kAdjustmentRows[] = {
    {"Image Brightness", K::SliderSpinner, "Adjustment", "Image Brightness", {}, -100, 100, 100},
    {"Image Contrast", K::SliderSpinner, "Adjustment", "Image Contrast", {}, -100, 100, 100},
    {"Image Gamma", K::Gamma, "Adjustment", "Image Gamma", {}, 1, 999},
    {"Image Invert", K::CheckBox, "Adjustment", "Image Invert"},
    {"Image Greyscale", K::CheckBox, "Adjustment", "Do Image Greyscale"},
    {"Image Threshold", K::CheckBox, "Adjustment", "Do Image Threshold"},
    {"Threshold Level", K::SliderSpinner, "Adjustment", "Image Threshold", {}, 0, 255},
    {"Image Dither", K::CheckBox, "Adjustment", "Do Image Dither"},
    {"Dither Algorithm", K::DropDown, "Adjustment", "Image Dither Algorithm", kDitherAlgorithm},
};

constexpr RowSpec kFrameSelector[] = {{"Frame Type", K::DropDown, "Frame", "Do Frame", kFrameType}};
constexpr RowSpec kFrameRows[] = {
    {"Left", K::Number, "Frame", "Solid Left", {}, 0, 0, 0, "Pixels"},
    {"Right", K::Number, "Frame", "Solid Right", {}, 0, 0, 0, "Pixels"},
    {"Top", K::Number, "Frame", "Solid Top", {}, 0, 0, 0, "Pixels"},
    {"Bottom", K::Number, "Frame", "Solid Bottom", {}, 0, 0, 0, "Pixels"},
    {"Left Color", K::ColorButton, "Frame", "Solid Left Color"},
    {"Right Color", K::ColorButton, "Frame", "Solid Right Color"},
    {"Top Color", K::ColorButton, "Frame", "Solid Top Color"},
    {"Bottom Color", K::ColorButton, "Frame", "Solid Bottom Color"},
    {"Opacity", K::SliderSpinner, "Frame", "Solid Opacity", {}, 1, 255},
};
constexpr AreaSpec kFrameAreas[] = {{"frame", 310, kFrameRows}};

constexpr RowSpec kWatermarkSelector[] = {
    {"Watermark Type", K::DropDown, "Watermark", "Do Watermark", kWatermarkType}};
constexpr RowSpec kWatermarkTextRows[] = {
    {"Text", K::Text, "Watermark", "Text"},
    {"Font", K::FontList, "Watermark", "Font"},
    {"Font Size", K::Number, "Watermark", "Font Size", {}, 0, 0, 0, "Points"},
    {"Font Leading", K::Number, "Watermark", "Font Leading", {}, 0, 0, 0, "Pixels"},
    {"Font Color", K::ColorList, "Watermark", "Font Color", {}, 0, 0, 0, "Font Colors"},
    {"Font Style", K::DropDown, "Watermark", "Font Style", kFontStyle},
    {"Font Effect", K::DropDown, "Watermark", "Font Effect", kFontEffect},
    {"Antialiasing", K::CheckBox, "Watermark", "Text Antialiasing"},
    {"Text Alignment", K::DropDown, "Watermark", "Text Alignment", kAlignment},
    {"Text Padding", K::Number, "Watermark", "Text Padding", {}, 0, 0, 0, "Pixels"},
    {"Text Opacity", K::SliderSpinner, "Watermark", "Text Opacity", {}, 1, 255},
    {"Background Color", K::ColorList, "Watermark", "Back Color", {}, 0, 0, 0, "Back Colors"},
    {"Background Opacity", K::SliderSpinner, "Watermark", "Back Opacity", {}, 1, 255},
    {"Boundary", K::DropDown, "Watermark", "Text Boundary", kBoundary},
    {"Position", K::DropDown, "Watermark", "Text Position", kPosition},
    {"X-Offset", K::Number, "Watermark", "Text X Offset", {}, 0, 0, 0, "Pixels"},
    {"Y-Offset", K::Number, "Watermark", "Text Y Offset", {}, 0, 0, 0, "Pixels"},
    {"Rotation Angle", K::SliderSpinner, "Watermark", "Text Rotation", {}, 0, 360},
    {"Size", K::DropDown, "Watermark", "Text Size", kFixedSize},
    {"Scale", K::SliderSpinner, "Watermark", "Text Scale", {}, 1, 200},
};
constexpr RowSpec kWatermarkImageRows[] = {
    {"Image", K::ImagePath, "Watermark", "Image"},
    {"Image Greyscale", K::CheckBox, "Watermark", "Image Greyscale"},
    {"Opacity", K::SliderSpinner, "Watermark", "Image Opacity", {}, 1, 255},
    {"Boundary", K::DropDown, "Watermark", "Image Boundary", kBoundary},
    {"Position", K::DropDown, "Watermark", "Image Position", kPosition},
    {"X-Offset", K::Number, "Watermark", "Image X Offset", {}, 0, 0, 0, "Pixels"},
    {"Y-Offset", K::Number, "Watermark", "Image Y Offset", {}, 0, 0, 0, "Pixels"},
    {"Rotation Angle", K::SliderSpinner, "Watermark", "Image Rotation", {}, 0, 360},
    {"Size", K::DropDown, "Watermark", "Image Size", kFixedSize},
    {"Scale", K::SliderSpinner, "Watermark", "Image Scale", {}, 1, 200},
};
constexpr AreaSpec kWatermarkAreas[] = {
    {"text", 610, kWatermarkTextRows},
    {"image", 310, kWatermarkImageRows},
};

constexpr RowSpec kAdvancedRows[] = {
    {"Filename Mask", K::Text, "Advanced", "Filename Mask"},
    {"File Timestamp", K::DropDown, "Advanced", "File Timestamp", kTimestamp},
    {"Custom Timestamp", K::DateTime, "Advanced", "Custom Timestamp"},
    {"Out Folders History", K::DropDown, "Advanced", "Out Folders History", kFolderHistory},
    {"Out Folders Number", K::SliderSpinner, "Advanced", "Out Folders Number", {}, 1, 50},
    // Not offered to the user, but kept through an OK like every other setting.
    {"Keep Subfolders", K::CheckBox, "Advanced", "Keep Subfolders", {}, 0, 0, 0, {}, true},
};

constexpr PageSpec kPages[] = {
    {"General", PageShape::Plain, kGeneralRows},
    {"Interface", PageShape::Plain, kInterfaceRows},
    {"Input", PageShape::Formats, kInputRows},
    {"Output", PageShape::Formats, kOutputRows},
    {"Transform", PageShape::Scrolling, kTransformRows, 375},
    {"Adjustment", PageShape::Scrolling, kAdjustmentRows, 285},
    {"Frame", PageShape::Selector, kFrameSelector, 0, kFrameAreas},
    {"Watermark", PageShape::Selector, kWatermarkSelector, 0, kWatermarkAreas},
    {"Advanced", PageShape::Plain, kAdvancedRows},
};

constexpr uint32_t kTicked = WhenValues({1});

constexpr DependencySpec kDependencies[] = {
    {"Input", "Format", Effect::SubPage, {}, {}},
    {"Input", "RAW Load As", Effect::Enable, "Input", "RAW Header Size", WhenValues({1, 2})},
    {"Input", "RAW Load As", Effect::Enable, "Input", "RAW Image Width", WhenValues({1, 2})},
    {"Input", "RAW Load As", Effect::Enable, "Input", "RAW Image Height", WhenValues({1, 2})},
    {"Input", "RAW Load As", Effect::Enable, "Input", "RAW Tone Mapping", WhenValues({4, 5})},
    {"Output", "Format", Effect::SubPage, {}, {}},
    {"Transform", "Do Image Rotation", Effect::Enable, "Transform", "Image Rotation Type", kTicked},
    {"Transform", "Do Image Rotation", Effect::Enable, "Transform", "Image Rotation", kTicked},
    {"Transform", "Do Image Rotation", Effect::Enable, "Transform", "Image Rotation Back Color",
     kTicked},
    {"Transform", "Do Image Resize", Effect::Enable, "Transform", "Image Width", kTicked},
    {"Transform", "Do Image Resize", Effect::Enable, "Transform", "Image Height", kTicked},
    {"Transform", "Do Image Resize", Effect::Enable, "Transform", "Keep Aspect Ratio", kTicked},
    {"Transform", "Do Image Resize", Effect::Enable, "Transform", "Image Resize Type", kTicked},
    {"Transform", "Do Image Resize", Effect::Enable, "Transform", "Image Resize Algorithm",
     kTicked},
    {"Adjustment", "Do Image Threshold", Effect::Enable, "Adjustment", "Image Threshold", kTicked},
    {"Adjustment", "Do Image Dither", Effect::Enable, "Adjustment", "Image Dither Algorithm",
     kTicked},
    {"Frame", "Do Frame", Effect::Show, {}, "frame", WhenValues({1})},
    {"Watermark", "Do Watermark", Effect::Show, {}, "text", WhenValues({1})},
    {"Watermark", "Do Watermark", Effect::Show, {}, "image", WhenValues({2})},
    {"Watermark", "Text Size", Effect::Show, "Watermark", "Text Scale", WhenValues({1})},
    {"Watermark", "Image Size", Effect::Show, "Watermark", "Image Scale", WhenValues({1})},
    {"Advanced", "File Timestamp", Effect::Enable, "Advanced", "Custom Timestamp", WhenValues({2})},
};

}  // namespace

std::span<const PageSpec> PreferencesPages() { return kPages; }
std::span<const SubPageSpec> InputSubPages() { return kInputSubPages; }
std::span<const SubPageSpec> OutputSubPages() { return kOutputSubPages; }
std::span<const DependencySpec> PreferencesDependencies() { return kDependencies; }

}  // namespace rondix
