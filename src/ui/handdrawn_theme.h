// The default theme "handdrawn", shipped as gfx/handdrawn.zip: the program's own artwork,
// every icon at every toolbar size. Built at build time by tools/make_theme.
#pragma once
#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "ui/zip_writer.h"

namespace rondix {

inline constexpr std::string_view kHandDrawnThemeKey = "handdrawn";
inline constexpr std::string_view kHandDrawnThemeName = "Hand-drawn";
inline constexpr std::array<int, 5> kHandDrawnIconSizes = {16, 24, 32, 48, 64};

// The entries of the archive: "theme.cfg" first, then the PNG pictures it names. Empty when
// a picture cannot be encoded.
std::vector<ZipItem> HandDrawnThemeItems();

}  // namespace rondix
