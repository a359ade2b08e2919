// The debug listing of the console run: which settings are listed, under which labels and
// how each value is written. Integers and flags in decimal, enumerations by the name of
// their value in the vocabulary (nothing when the value has none), texts as stored, the
// gamma with two decimals, sizes with their unit, offsets as "x/y".
#pragma once
#include <span>
#include <string>
#include <string_view>

#include "core/settings.h"

namespace rondix {

enum class ListingValue : uint8_t {
  Number,   // decimal
  Keyword,  // KeywordName(vocabulary, value)
  Text,     // as stored
  Gamma,    // two decimals
  Size,     // number, blank, unit keyword of `key2` (vocabulary 10)
  Offsets,  // `key` + "/" + `key2`
};

struct ListingLine {
  std::string_view label;  // "Brightness: "
  std::string_view group;
  std::string_view key;
  ListingValue kind = ListingValue::Number;
  int vocabulary = -1;
  std::string_view key2 = {};
};

// Label followed by the formatted value.
std::string FormatListingLine(const ListingLine& line, const SettingsStore& settings);

// The lines of one output format after its bit-depth line, and its quality check.
struct FormatListing {
  std::string_view extension;
  std::span<const ListingLine> lines;
  std::string_view qualityKey = {};    // group "Output"; empty: no quality check
  std::string_view qualityError = {};  // printed when the quality is outside 1..100
};

// All 23 formats that have a bit-depth setting.
std::span<const FormatListing> FormatListings();
const FormatListing* FindFormatListing(std::string_view extension);

// The lines of an input family's load settings; none for "tga".
std::span<const ListingLine> InputFamilyListing(std::string_view family);

// Fixed groups of lines, in the order the run prints them.
std::span<const ListingLine> RotationListing();
std::span<const ListingLine> ResizeDetailsListing();   // after width and height
std::span<const ListingLine> FlipListing();
std::span<const ListingLine> FrameDetailsListing();    // when a frame is on
std::span<const ListingLine> TextWatermarkListing();
std::span<const ListingLine> ImageWatermarkListing();

}  // namespace rondix
