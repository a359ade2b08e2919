#include "engine/color_parse.h"

#include <array>
#include <cstddef>
#include <cstdint>

namespace rondix {
namespace {

int HexDigit(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return -1;
}

// Reads a two-character hex number, stopping at the first non-digit.
BYTE HexPair(char first, char second) {
  int value = 0;
  for (char c : {first, second}) {
    const int digit = HexDigit(c);
    if (digit < 0) break;
    value = value * 16 + digit;
  }
  return static_cast<BYTE>(value);
}

}  // namespace

RGBQUAD ParseColor(std::string_view text) {
  RGBQUAD color{};
  // Count UTF-8 characters; a non-ASCII one is never a hex digit, so it stands as '\0'.
  std::array<char, 6> chars{};
  size_t count = 0;
  for (char c : text) {
    const auto byte = static_cast<uint8_t>(c);
    if ((byte & 0xC0) == 0x80) continue;  // continues the previous character
    if (count == chars.size()) return color;
    chars[count++] = byte < 0x80 ? c : '\0';
  }
  if (count != chars.size()) return color;
  color.rgbRed = HexPair(chars[0], chars[1]);
  color.rgbGreen = HexPair(chars[2], chars[3]);
  color.rgbBlue = HexPair(chars[4], chars[5]);
  return color;
}

RGBQUAD ParseColorAlpha(std::string_view text, BYTE alpha) {
  RGBQUAD color = ParseColor(text);
  color.rgbReserved = alpha;
  return color;
}

}  // namespace rondix
