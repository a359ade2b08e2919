#include "cli/debug_listing.h"

#include <cstdio>

#include "core/keywords.h"

namespace rondix {
namespace {

using V = ListingValue;

constexpr ListingLine Num(std::string_view label, std::string_view group, std::string_view key) {
  return {label, group, key};
}
constexpr ListingLine Word(std::string_view label, int vocabulary, std::string_view group,
                           std::string_view key) {
  return {label, group, key, V::Keyword, vocabulary};
}
constexpr ListingLine Txt(std::string_view label, std::string_view group, std::string_view key) {
  return {label, group, key, V::Text};
}

constexpr ListingLine kBmp[] = {Word("BMP Compression: ", 4, "Output", "BMP Compression"),
                                Word("BMP Color Table: ", 5, "Output", "BMP Color Table")};
constexpr ListingLine kExr[] = {Word("EXR Compression: ", 4, "Output", "EXR Compression")};
constexpr ListingLine kJpg[] = {Num("JPG Quality: ", "Output", "JPG Quality"),
                                Word("JPG Chroma Subsampling: ", 7, "Output", "JPG Chroma"),
                                Word("JPG Save As: ", 8, "Output", "JPG Save As")};
constexpr ListingLine kPng[] = {Word("PNG Compression: ", 4, "Output", "PNG Compression"),
                                Num("PNG Interlaced: ", "Output", "PNG Interlaced")};
constexpr ListingLine kTga[] = {Word("TGA Compression: ", 4, "Output", "TGA Compression")};
constexpr ListingLine kTiff[] = {Word("TIFF Compression: ", 4, "Output", "TIFF Compression"),
                                 Word("TIFF Color Mode: ", 6, "Output", "TIFF Color Mode")};
constexpr ListingLine kWebp[] = {Num("WEBP Quality: ", "Output", "WEBP Quality")};

constexpr FormatListing kFormats[] = {
    {"bmp", kBmp},  {"dds", {}},  {"exr", kExr}, {"gif", {}}, {"hdr", {}}, {"ico", {}},
    {"j2k", {}},    {"jng", {}},  {"jp2", {}},
    {"jpg", kJpg, "JPG Quality", "Error: Invalid jpg-quality value"},
    {"jxr", {}},    {"pbm", {}},  {"pcx", {}},   {"pfm", {}}, {"pgm", {}}, {"png", kPng},
    {"ppm", {}},    {"psd", {}},  {"tga", kTga}, {"tiff", kTiff}, {"wbmp", {}},
    {"webp", kWebp, "WEBP Quality", "Error: Invalid webp-quality value"},
    {"xpm", {}},
};

constexpr ListingLine kDds[] = {Word("DDS Load As: ", 0, "Input", "DDS Load As")};
constexpr ListingLine kGif[] = {Word("GIF Frame Loading: ", 2, "Input", "GIF Frame Loading")};
constexpr ListingLine kIco[] = {Word("ICO Frame Loading: ", 2, "Input", "ICO Frame Loading")};
constexpr ListingLine kPsd[] = {Word("PSD Color Mode: ", 6, "Input", "PSD Color Mode")};
constexpr ListingLine kRaw[] = {Word("RAW Load As: ", 1, "Input", "RAW Load As"),
                                Num("RAW Header Size: ", "Input", "RAW Header Size"),
                                Num("RAW Image Width: ", "Input", "RAW Image Width"),
                                Num("RAW Image Height: ", "Input", "RAW Image Height"),
                                Word("RAW Tone Mapping: ", 3, "Input", "RAW Tone Mapping")};
constexpr ListingLine kTiffIn[] = {Word("TIFF Frame Loading: ", 2, "Input", "TIFF Frame Loading")};

struct FamilyListing {
  std::string_view family;
  std::span<const ListingLine> lines;
};
constexpr FamilyListing kFamilies[] = {{"dds", kDds}, {"gif", kGif},   {"ico", kIco},
                                       {"psd", kPsd}, {"raw", kRaw},   {"tiff", kTiffIn}};

constexpr ListingLine kRotation[] = {
    Word("Image Rotation Type: ", 9, "Transform", "Image Rotation Type"),
    Num("Image Rotation: ", "Transform", "Image Rotation"),
    Txt("Image Rotation Back Color: ", "Transform", "Image Rotation Back Color")};
constexpr ListingLine kResizeDetails[] = {
    Num("Keep Aspect Ratio: ", "Transform", "Keep Aspect Ratio"),
    Word("Image Resize Type: ", 11, "Transform", "Image Resize Type"),
    Word("Image Resize Algorithm: ", 12, "Transform", "Image Resize Algorithm")};
constexpr ListingLine kFlip[] = {Num("Flip Horizontal: ", "Transform", "Do Image Flip Horizontal"),
                                 Num("Flip Vertical: ", "Transform", "Do Image Flip Vertical")};
constexpr ListingLine kFrameDetails[] = {
    Num("Frame left: ", "Frame", "Solid Left"),
    Num("Frame right: ", "Frame", "Solid Right"),
    Num("Frame top: ", "Frame", "Solid Top"),
    Num("Frame bottom: ", "Frame", "Solid Bottom"),
    Txt("Frame left color: ", "Frame", "Solid Left Color"),
    Txt("Frame right color: ", "Frame", "Solid Right Color"),
    Txt("Frame top color: ", "Frame", "Solid Top Color"),
    Txt("Frame bottom color: ", "Frame", "Solid Bottom Color"),
    Num("Frame opacity: ", "Frame", "Solid Opacity")};
constexpr ListingLine kTextWatermark[] = {
    Txt("Watermark text: ", "Watermark", "Text"),
    Txt("Watermark font: ", "Watermark", "Font"),
    Num("Watermark font size: ", "Watermark", "Font Size"),
    Num("Watermark font leading: ", "Watermark", "Font Leading"),
    Txt("Watermark font color: ", "Watermark", "Font Color"),
    Word("Watermark font style: ", 16, "Watermark", "Font Style"),
    Word("Watermark font effect: ", 17, "Watermark", "Font Effect"),
    Num("Watermark text antialiasing: ", "Watermark", "Text Antialiasing"),
    Word("Watermark text alignment: ", 18, "Watermark", "Text Alignment"),
    Num("Watermark text padding: ", "Watermark", "Text Padding"),
    Num("Watermark text opacity: ", "Watermark", "Text Opacity"),
    Txt("Watermark background color: ", "Watermark", "Back Color"),
    Num("Watermark background opacity: ", "Watermark", "Back Opacity"),
    Word("Watermark boundary: ", 19, "Watermark", "Text Boundary"),
    Word("Watermark position: ", 20, "Watermark", "Text Position"),
    {"Watermark offset (x/y): ", "Watermark", "Text X Offset", V::Offsets, -1, "Text Y Offset"},
    Num("Watermark rotation: ", "Watermark", "Text Rotation"),
    Word("Watermark size/mode: ", 21, "Watermark", "Text Size")};
constexpr ListingLine kImageWatermark[] = {
    Txt("Watermark image: ", "Watermark", "Image"),
    Num("Watermark greyscale: ", "Watermark", "Image Greyscale"),
    Num("Watermark opacity: ", "Watermark", "Image Opacity"),
    Word("Watermark boundary: ", 19, "Watermark", "Image Boundary"),
    Word("Watermark position: ", 20, "Watermark", "Image Position"),
    {"Watermark offset (x/y): ", "Watermark", "Image X Offset", V::Offsets, -1, "Image Y Offset"},
    Num("Watermark rotation: ", "Watermark", "Image Rotation"),
    Word("Watermark size/mode: ", 21, "Watermark", "Image Size")};

}  // namespace

std::string FormatListingLine(const ListingLine& line, const SettingsStore& settings) {
  std::string text(line.label);
  switch (line.kind) {
    case V::Number:
      text += std::to_string(settings.Int(line.group, line.key));
      break;
    case V::Keyword:
      text += KeywordName(line.vocabulary, settings.Int(line.group, line.key));
      break;
    case V::Text:
      text += settings.Text(line.group, line.key);
      break;
    case V::Gamma: {
      char buffer[64];
      std::snprintf(buffer, sizeof buffer, "%.2f",
                    static_cast<double>(settings.Float(line.group, line.key)));
      text += buffer;
      break;
    }
    case V::Size:
      text += std::to_string(settings.Int(line.group, line.key));
      text += ' ';
      text += KeywordName(10, settings.Int(line.group, line.key2));
      break;
    case V::Offsets:
      text += std::to_string(settings.Int(line.group, line.key));
      text += '/';
      text += std::to_string(settings.Int(line.group, line.key2));
      break;
  }
  return text;
}

std::span<const FormatListing> FormatListings() { return kFormats; }

const FormatListing* FindFormatListing(std::string_view extension) {
  for (const FormatListing& f : kFormats) {
    if (f.extension == extension) return &f;
  }
  return nullptr;
}

std::span<const ListingLine> InputFamilyListing(std::string_view family) {
  for (const FamilyListing& f : kFamilies) {
    if (f.family == family) return f.lines;
  }
  return {};
}

std::span<const ListingLine> RotationListing() { return kRotation; }
std::span<const ListingLine> ResizeDetailsListing() { return kResizeDetails; }
std::span<const ListingLine> FlipListing() { return kFlip; }
std::span<const ListingLine> FrameDetailsListing() { return kFrameDetails; }
std::span<const ListingLine> TextWatermarkListing() { return kTextWatermark; }
std::span<const ListingLine> ImageWatermarkListing() { return kImageWatermark; }

}  // namespace rondix
