// The output side of a conversion: which FreeImage format writes the file, with which save
// flags, and at which bit depth.
//
// PrepareOutputFormat runs once per run in the driver; ConvertForOutput is the last pixel
// step of every file. Depth 0 in a format's "XXX BPP" setting means automatic: the depth is
// then chosen per file from the depth the input had when it was decoded.
#pragma once
#include <FreeImage.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

#include "core/project.h"
#include "core/settings.h"

namespace rondix {

struct BitDepthKeyRow {
  std::string_view extension;  // lower case
  std::string_view key;        // group "Output"
};

// The 23 extensions that have a depth setting, in the settings' declared order
// (dds, pcx and psd included although they have no OutputFormat record).
std::span<const BitDepthKeyRow> BitDepthKeys();

// "PNG BPP" for "png"; empty for an extension without a depth setting. Exact, lower case.
std::string_view BitDepthKey(std::string_view extension);

// Fills outputExtension, outputFormatId (FIF_UNKNOWN without an OutputFormat record),
// targetBitsPerPixel, saveFlags and automaticDepth of `state` for the chosen extension.
void PrepareOutputFormat(const std::string& extension, const SettingsStore& settings,
                         ProjectState& state);

// FreeImage save flags for the extension from its "Output" settings; 0 for any extension
// without flags (compared exactly, lower case).
int32_t SaveFlags(const std::string& extension, const SettingsStore& settings);

// The first allowed depth of the format that is >= bitsPerPixel, else the largest listed.
// An extension without an OutputFormat record keeps bitsPerPixel.
int32_t AutoBitDepth(const std::string& extension, int32_t bitsPerPixel);

// Brings the image to the target depth of the run (choosing it first when automatic, and
// storing it in state.targetBitsPerPixel). Returns the same image when it already has that
// depth; otherwise a new one, unloading the one it got. Null when the conversion fails or
// the target is not a depth FreeImage can produce.
FIBITMAP* ConvertForOutput(FIBITMAP* image, ProjectState& state);

}  // namespace rondix
