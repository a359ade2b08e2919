#include "ui/preferences_values.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <limits>

#include "core/text.h"
#include "engine/color_parse.h"

namespace rondix {
namespace {

constexpr NamedColor kNamedColors[] = {
    {"Black", "000000"},  {"Silver", "C0C0C0"}, {"Gray", "808080"},   {"White", "FFFFFF"},
    {"Maroon", "800000"}, {"Red", "FF0000"},    {"Purple", "800080"}, {"Fuchsia", "FF00FF"},
    {"Green", "008000"},  {"Lime", "00FF00"},   {"Olive", "808000"},  {"Yellow", "FFFF00"},
    {"Navy", "000080"},   {"Blue", "0000FF"},   {"Teal", "008080"},   {"Aqua", "00FFFF"},
    {"Orange", "FF8000"}, {"Brown", "804000"},  {"Violet", "8000FF"},
};

size_t SkipBlanks(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  return i;
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

int32_t LeadingInteger(std::string_view text) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  int64_t value = 0;
  constexpr int64_t kLimit = int64_t{std::numeric_limits<int32_t>::max()} + 1;
  for (; i < text.size() && IsDigit(text[i]); ++i) {
    value = std::min(value * 10 + (text[i] - '0'), kLimit);
  }
  if (negative) value = -value;
  return static_cast<int32_t>(std::clamp<int64_t>(value, std::numeric_limits<int32_t>::min(),
                                                  std::numeric_limits<int32_t>::max()));
}

bool IsUnfinishedNumber(std::string_view text, bool allowMinus) {
  std::string_view rest = TrimBlanks(text);
  return rest.empty() || rest == "+" || (allowMinus && rest == "-");
}

int GammaHundredthsFromText(std::string_view text) {
  size_t i = SkipBlanks(text);
  bool negative = false;
  if (i < text.size() && (text[i] == '-' || text[i] == '+')) negative = text[i++] == '-';
  // Only the first few digits matter once the value is clamped to 9.99.
  double value = 0;
  for (; i < text.size() && IsDigit(text[i]); ++i)
    value = std::min(value * 10 + (text[i] - '0'), 1e6);
  if (i < text.size() && text[i] == '.') {
    double scale = 0.1;
    for (++i; i < text.size() && IsDigit(text[i]); ++i, scale /= 10)
      value += (text[i] - '0') * scale;
  }
  if (negative) value = -value;
  return static_cast<int>(std::clamp<double>(std::round(value * 100), kGammaMin, kGammaMax));
}

int GammaHundredths(float gamma) {
  if (!std::isfinite(gamma)) return 100;
  return static_cast<int>(
      std::clamp<double>(std::round(double{gamma} * 100), kGammaMin, kGammaMax));
}

std::string GammaText(int hundredths) {
  char text[16];
  std::snprintf(text, sizeof text, "%d.%02d", hundredths / 100, hundredths % 100);
  return text;
}

std::string CleanText(std::string_view text) {
  std::string cleaned;
  for (char c : TrimBlanks(text)) {
    if (c != '\t' && c != '\r' && c != '\n') cleaned.push_back(c);
  }
  // Blanks that stood before a removed line break would otherwise end the text.
  return std::string(TrimBlanks(cleaned));
}

std::string ColorHex(RGBQUAD color) {
  char text[8];
  std::snprintf(text, sizeof text, "%02X%02X%02X", color.rgbRed, color.rgbGreen, color.rgbBlue);
  return text;
}

std::string NormalizedColor(std::string_view text) { return ColorHex(ParseColor(text)); }

std::span<const NamedColor> NamedColors() { return kNamedColors; }

std::string ColorLabel(std::string_view hex, const StringTable& strings) {
  const std::string upper = AsciiUpper(hex);
  for (const NamedColor& named : kNamedColors) {
    if (named.hex == upper) return std::string(strings.GetText("Preferences", named.name));
  }
  return std::string(strings.GetText("Preferences", "Color")) + " #" + upper;
}

std::vector<std::string> ListEntries(std::string_view list) {
  std::vector<std::string> entries;
  for (const std::string& piece : Split(list, ',')) entries.emplace_back(TrimBlanks(piece));
  return entries;
}

std::vector<std::string> FontEntries(std::string_view fonts) {
  std::vector<std::string> entries = ListEntries(fonts);
  std::erase_if(entries, [](const std::string& name) { return name.empty(); });
  return entries;
}

std::string AppendListEntry(std::string_view list, std::string_view entry) {
  if (list.empty()) return std::string(entry);
  return std::string(list) + "," + std::string(entry);
}

int FontStyleValue(int weight, bool italic, bool underline, bool strikeOut) {
  return (weight == 700 ? 256 : 0) + (italic ? 512 : 0) + (underline ? 4 : 0) + (strikeOut ? 8 : 0);
}

int FontStylePosition(int styleValue) {
  constexpr int kStyleValues[] = {0, 256, 512, 768};  // Regular, Bold, Italic, Bold Italic
  for (int i = 0; i < 4; ++i) {
    if (kStyleValues[i] == styleValue) return i;
  }
  return -1;
}

int32_t RefreshRequestFor(int32_t oldSize, int32_t newSize, std::string_view oldTheme,
                          std::string_view newTheme) {
  if (oldTheme != newTheme) return 1;
  if (oldSize != newSize) return 2;
  return 0;
}

bool NeedsColorCorrection(int32_t brightness, int32_t contrast, float gamma, int32_t invert) {
  return brightness != 0 || contrast != 0 || gamma != 1.0f || invert == 1;
}

}  // namespace rondix
