// Format tables: the output formats with their FreeImage identifiers and bit depths, the
// recognised input extensions, and the program's one conversion pair (tga -> png).
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rondix {

struct OutputFormat {
  std::string_view extension;    // lower case
  int freeImageFormat;           // FREE_IMAGE_FORMAT value used when saving
  std::string_view description;
  std::string_view bitDepths;    // allowed bits per pixel, comma-separated
};

struct InputExtension {
  std::string_view extension;  // lower case
  std::string_view family;
  std::string_view description;
};

std::span<const OutputFormat> OutputFormatTable();
const OutputFormat* FindOutputFormat(std::string_view extension);  // exact match

// 79 rows.
std::span<const InputExtension> InputExtensionTable();

std::span<const std::string_view> InputFormatList();   // {"tga"}
std::span<const std::string_view> OutputFormatList();  // {"png"}

// Extensions of InputExtensionTable whose family is in InputFormatList, in list order.
std::vector<std::string> AcceptedExtensions();

// True when `extension` equals an entry of OutputFormatList exactly (case-sensitive).
bool IsOutputFormat(std::string_view extension);

// 0 is always allowed; otherwise one of the format's listed depths. Formats without an
// OutputFormat record (dds, pcx, psd) allow only 0.
bool IsAllowedBitDepth(std::string_view extension, int bitsPerPixel);

}  // namespace rondix
