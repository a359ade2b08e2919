// Output file names from "Filename Mask", and the same tokens in the watermark text.
//
// Tokens are replaced in the fixed order of kMaskTokens; values are read from ProjectState
// when the token is replaced. Date tokens read `now` (local seconds since 1970-01-01) once
// per replacement. An empty clock means the real one; the two Expand functions first fall
// back to the store's environment clock, so a test can fix the date either way.
#pragma once
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "core/project.h"
#include "core/settings.h"

namespace rondix {

// Local date and time in seconds since 1970-01-01 00:00:00, counted in local time.
using LocalClock = std::function<int64_t()>;

enum class MaskValue : uint8_t {
  FileName,
  FileNameUpper,
  FileNameLower,
  FileNameTitle,
  Ext,
  ExtUpper,
  ExtTitle,
  Year,
  Month,
  Day,
  Hour,
  Minute,
  Second,
  Bpp,
  Width,
  Height,
  Random,
  Counter,
};

struct MaskToken {
  std::string_view token;  // lower case, as matched after the mask is lower-cased
  MaskValue value;
};

// Processing order matters: values brought in by an earlier token can hold later tokens.
inline constexpr MaskToken kMaskTokens[] = {
    {"%filename%", MaskValue::FileName},
    {"%filename[u]%", MaskValue::FileNameUpper},
    {"%filename[l]%", MaskValue::FileNameLower},
    {"%filename[t]%", MaskValue::FileNameTitle},
    {"%ext%", MaskValue::Ext},
    {"%ext[u]%", MaskValue::ExtUpper},
    {"%ext[t]%", MaskValue::ExtTitle},
    {"%yyyy%", MaskValue::Year},
    {"%mm%", MaskValue::Month},
    {"%dd%", MaskValue::Day},
    {"%hh%", MaskValue::Hour},
    {"%ii%", MaskValue::Minute},
    {"%ss%", MaskValue::Second},
    {"%bpp%", MaskValue::Bpp},
    {"%width%", MaskValue::Width},
    {"%height%", MaskValue::Height},
    {"%rnd%", MaskValue::Random},
    {"%n%", MaskValue::Counter},
};

inline constexpr std::string_view kDefaultFilenameMask = "%filename%.%ext%";

// File part of `path` (after the last "/") without its last "." and what follows.
// "photo.final.tga" -> "photo.final"; a name without "." is returned whole.
std::string BaseName(std::string_view path);

// Replaces every occurrence of `token` (ASCII case ignored) by its value; a token not in
// kMaskTokens leaves the text unchanged. Inserted values are not searched again.
std::string ReplaceMaskToken(std::string_view text, std::string_view token,
                             const ProjectState& state, const LocalClock& now = {});

// Output file name of the current file: the lower-cased mask with every token replaced.
std::string ExpandFilenameMask(const SettingsStore& settings, const ProjectState& state,
                               const LocalClock& now = {});

// Watermark text of the current file: literal text keeps its case; tokens are replaced only
// when the text as written holds them; fewer than two "%" leave the text as it is.
std::string ExpandWatermarkText(const SettingsStore& settings, const ProjectState& state,
                                const LocalClock& now = {});

}  // namespace rondix
