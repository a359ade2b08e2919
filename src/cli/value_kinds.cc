#include "cli/value_kinds.h"

#include <charconv>
#include <limits>

#include "core/text.h"

namespace rondix {
namespace {

int DigitValue(char c) {
  if (c >= '0' && c <= '9') return c - '0';
  if (c >= 'a' && c <= 'f') return c - 'a' + 10;
  if (c >= 'A' && c <= 'F') return c - 'A' + 10;
  return 99;
}

// Digits, an optional point with digits, an optional exponent; at least one digit.
bool IsPlainDecimal(std::string_view s) {
  size_t i = 0;
  if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
  size_t digits = 0;
  while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  if (i < s.size() && s[i] == '.') {
    ++i;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++digits;
  }
  if (digits == 0) return false;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    ++i;
    if (i < s.size() && (s[i] == '+' || s[i] == '-')) ++i;
    size_t exponent = 0;
    while (i < s.size() && s[i] >= '0' && s[i] <= '9') ++i, ++exponent;
    if (exponent == 0) return false;
  }
  return i == s.size();
}

}  // namespace

int32_t ParseOptionInteger(std::string_view text) {
  size_t i = 0;
  while (i < text.size() && (text[i] == ' ' || text[i] == '\t')) ++i;
  bool negative = false;
  if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
  int base = 10;
  if (i < text.size() && text[i] == '$') base = 16, ++i;
  else if (i < text.size() && text[i] == '%') base = 2, ++i;

  // Past 2^40 nothing more can change the result of either rule below.
  constexpr uint64_t kCap = uint64_t{1} << 40;
  uint64_t magnitude = 0;
  bool any = false;
  for (; i < text.size(); ++i) {
    int d = DigitValue(text[i]);
    if (d >= base) break;
    any = true;
    if (magnitude < kCap) magnitude = magnitude * static_cast<uint64_t>(base) + static_cast<uint64_t>(d);
  }
  if (!any) return 0;
  if (base != 10) {
    uint32_t low = static_cast<uint32_t>(magnitude);
    if (negative) low = 0u - low;
    return static_cast<int32_t>(low);
  }
  int64_t value = negative ? -static_cast<int64_t>(magnitude) : static_cast<int64_t>(magnitude);
  if (value > std::numeric_limits<int32_t>::max()) return std::numeric_limits<int32_t>::max();
  if (value < std::numeric_limits<int32_t>::min()) return std::numeric_limits<int32_t>::min();
  return static_cast<int32_t>(value);
}

float ParseOptionDecimal(std::string_view text) {
  std::string_view s = TrimBlanks(text);
  if (EqualsNoCase(s, "+Infinity")) return std::numeric_limits<float>::infinity();
  if (EqualsNoCase(s, "-Infinity")) return -std::numeric_limits<float>::infinity();
  if (EqualsNoCase(s, "NaN")) return std::numeric_limits<float>::quiet_NaN();
  if (!IsPlainDecimal(s)) return 0;
  if (s.front() == '+') s.remove_prefix(1);  // from_chars takes no plus sign
  // Read as a double so a number beyond the float range becomes an infinity, not garbage.
  double value = 0;
  auto [end, error] = std::from_chars(s.data(), s.data() + s.size(), value);
  if (error == std::errc::result_out_of_range) return 0;  // beyond even a double: unreadable
  if (error != std::errc() || end != s.data() + s.size()) return 0;
  constexpr double kMax = std::numeric_limits<float>::max();
  if (value > kMax) return std::numeric_limits<float>::infinity();
  if (value < -kMax) return -std::numeric_limits<float>::infinity();
  return static_cast<float>(value);
}

}  // namespace rondix
