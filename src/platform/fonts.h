// Fonts by family name, through fontconfig. A family is available when fontconfig resolves
// it to that family or to a metric-compatible alias of it (Arial -> Liberation Sans,
// Times New Roman -> Liberation Serif, Courier New -> Liberation Mono); a name that only
// reaches the generic fallback is not available.
#pragma once
#include <optional>
#include <string>
#include <string_view>

namespace rondix {

struct ResolvedFont {
  std::string family;  // the installed family, e.g. "Liberation Sans" for "Arial"
  std::string file;    // path of the font file
  int index = 0;       // face index inside the file (font collections)
};

bool FontFamilyAvailable(std::string_view family);

// The installed face fontconfig picks for `family` in the given style; nothing when the
// family is not available.
std::optional<ResolvedFont> ResolveFontFamily(std::string_view family, bool bold, bool italic);

}  // namespace rondix
