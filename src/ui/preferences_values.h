// The rules of the preferences dialog that need no widgets: reading numbers out of typed
// text, the gamma text, cleaning texts before they reach config.ini, colour labels and
// palettes, the font list, font styles, and what OK derives from the chosen values.
#pragma once
#include <FreeImage.h>

#include <cstdint>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "storage/string_table.h"

namespace rondix {

// The integer at the start of `text` after blanks, with an optional sign; 0 when there is
// none. Saturates at the 32-bit range instead of overflowing.
int32_t LeadingInteger(std::string_view text);

// True when `text` is blank or only a sign: an edit still on its way to a number.
bool IsUnfinishedNumber(std::string_view text, bool allowMinus);

// The gamma spinner works in hundredths of the gamma.
inline constexpr int kGammaMin = 1;
inline constexpr int kGammaMax = 999;

// A typed gamma text read as a decimal number, times 100, rounded and clamped to 1..999.
int GammaHundredthsFromText(std::string_view text);
// A stored gamma as hundredths: rounded and clamped; 100 when it is not a number.
int GammaHundredths(float gamma);
// Two decimals: 250 -> "2.50", 1 -> "0.01".
std::string GammaText(int hundredths);

// Empty stays empty; otherwise blanks are trimmed at both ends and every tab, CR and LF is
// removed, so a single-line setting can never break a line of config.ini.
std::string CleanText(std::string_view text);

// Six upper-case hexadecimal digits.
std::string ColorHex(RGBQUAD color);
// The colour a setting's text stands for, as six upper-case digits (via ParseColor).
std::string NormalizedColor(std::string_view text);

struct NamedColor {
  std::string_view name;  // "Preferences" key whose English text is the name itself
  std::string_view hex;
};
std::span<const NamedColor> NamedColors();

// The name of a named colour, else the text of "Color" followed by " #" and the digits.
std::string ColorLabel(std::string_view hex, const StringTable& strings);

// Entries of a comma-separated list, each trimmed of blanks.
std::vector<std::string> ListEntries(std::string_view list);
// The font names of "Fonts": trimmed entries, blank ones left out.
std::vector<std::string> FontEntries(std::string_view fonts);
// `list` + "," + `entry`, or just `entry` when the list is empty.
std::string AppendListEntry(std::string_view list, std::string_view entry);

// Style value of a picked font: 256 for a weight of exactly 700, 512 for italic, plus 4 for
// underline and 8 for strike-through.
int FontStyleValue(int weight, bool italic, bool underline, bool strikeOut);
// The "Font Style" entry (0..3) with that style value, or -1 when none has it.
int FontStylePosition(int styleValue);

// The refresh request OK (or Defaults) leaves for the main window: 1 when the theme
// changes, else 2 when the icon size changes, else 0.
int32_t RefreshRequestFor(int32_t oldSize, int32_t newSize, std::string_view oldTheme,
                          std::string_view newTheme);

// "Do Image Color Correction" as OK derives it from the stored adjustment values.
bool NeedsColorCorrection(int32_t brightness, int32_t contrast, float gamma, int32_t invert);

}  // namespace rondix
