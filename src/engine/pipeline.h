// The per-file worker of a run: decode, the fixed chain of transforms, output depth, name,
// save and file date, for every entry of the InputList.
//
// Images pass from step to step with linear ownership: a step returns the bitmap to go on
// with and unloads the one it replaced; a step given null returns null.
#pragma once
#include <FreeImage.h>

#include <cstdint>
#include <string>

#include "engine/run_context.h"

namespace rondix {

// Converts every InputList entry in map order while progress.running is not 0. Updates the
// progress record under its lock and sets filesConverted at the end. Returns 0.
int32_t ConvertFiles(RunContext& ctx);

// Converts the file at state.currentInputPath. True when the output file was written.
bool ConvertOneFile(RunContext& ctx);

// Output folder (plus the relative sub-folder when "Keep Subfolders" is 1) + the expanded
// mask. Creates no folder.
std::string OutputPath(const RunContext& ctx);

// Writes `image` as `path` through a temporary file in the same folder that is renamed over
// the target only after a complete save, so a failure leaves an existing file untouched and
// no partial file behind.
bool SaveImageReplacing(FIBITMAP* image, int32_t format, const std::string& path, int32_t flags);

// Stamps the output's modification time by "File Timestamp": 0 keeps the time of writing,
// 1 takes the input's, 2 "Custom Timestamp". False when the time could not be set.
bool ApplyFileDate(const SettingsStore& settings, const std::string& inputPath,
                   const std::string& outputPath);

}  // namespace rondix
