#include "platform/fonts.h"

#include <fontconfig/fontconfig.h>

#include <memory>
#include <vector>

namespace rondix {
namespace {

struct PatternDeleter {
  void operator()(FcPattern* p) const { FcPatternDestroy(p); }
};
using Pattern = std::unique_ptr<FcPattern, PatternDeleter>;

const char* Str(const FcChar8* s) { return reinterpret_cast<const char*>(s); }

// Family names compare as fontconfig compares them: ASCII case and blanks do not count.
bool SameFamily(std::string_view a, std::string_view b) {
  auto next = [](std::string_view s, size_t& i) -> int {
    while (i < s.size() && s[i] == ' ') ++i;
    if (i == s.size()) return -1;
    char c = s[i++];
    return (c >= 'A' && c <= 'Z') ? c - 'A' + 'a' : static_cast<unsigned char>(c);
  };
  size_t i = 0, j = 0;
  for (;;) {
    int x = next(a, i), y = next(b, j);
    if (x != y) return false;
    if (x < 0) return true;
  }
}

// The families the request stands for: the requested name and the aliases that the
// configuration binds as strongly as the name itself. Metric-compatible aliases are bound
// that way ("same" binding); similar designs and the generic fallback only weakly.
std::vector<std::string> StrongFamilies(const FcPattern* pattern) {
  std::vector<std::string> names;
  FcValue value;
  FcValueBinding binding;
  for (int i = 0; FcPatternGetWithBinding(pattern, FC_FAMILY, i, &value, &binding) == FcResultMatch;
       ++i) {
    if (value.type == FcTypeString && binding == FcValueBindingStrong) {
      names.emplace_back(Str(value.u.s));
    }
  }
  return names;
}

std::optional<ResolvedFont> Resolve(std::string_view family, bool bold, bool italic) {
  if (family.empty() || !FcInit()) return std::nullopt;
  Pattern pattern(FcPatternCreate());
  if (!pattern) return std::nullopt;
  std::string name(family);
  FcPatternAddString(pattern.get(), FC_FAMILY, reinterpret_cast<const FcChar8*>(name.c_str()));
  FcPatternAddInteger(pattern.get(), FC_WEIGHT, bold ? FC_WEIGHT_BOLD : FC_WEIGHT_REGULAR);
  FcPatternAddInteger(pattern.get(), FC_SLANT, italic ? FC_SLANT_ITALIC : FC_SLANT_ROMAN);
  if (!FcConfigSubstitute(nullptr, pattern.get(), FcMatchPattern)) return std::nullopt;
  FcDefaultSubstitute(pattern.get());

  FcResult result = FcResultNoMatch;
  Pattern match(FcFontMatch(nullptr, pattern.get(), &result));
  if (!match || result != FcResultMatch) return std::nullopt;

  std::vector<std::string> wanted = StrongFamilies(pattern.get());
  FcChar8* matched = nullptr;
  for (int i = 0; FcPatternGetString(match.get(), FC_FAMILY, i, &matched) == FcResultMatch; ++i) {
    for (const std::string& w : wanted) {
      if (!SameFamily(Str(matched), w)) continue;
      ResolvedFont font;
      font.family = Str(matched);
      FcChar8* file = nullptr;
      if (FcPatternGetString(match.get(), FC_FILE, 0, &file) == FcResultMatch) font.file = Str(file);
      int index = 0;
      if (FcPatternGetInteger(match.get(), FC_INDEX, 0, &index) == FcResultMatch) font.index = index;
      return font;
    }
  }
  return std::nullopt;
}

}  // namespace

bool FontFamilyAvailable(std::string_view family) {
  return Resolve(family, false, false).has_value();
}

std::optional<ResolvedFont> ResolveFontFamily(std::string_view family, bool bold, bool italic) {
  return Resolve(family, bold, italic);
}

}  // namespace rondix
