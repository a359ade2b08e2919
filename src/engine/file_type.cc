#include "engine/file_type.h"

#include <cstdio>

#include "engine/regular_file.h"

namespace rondix {
namespace {

constexpr int HexDigit(char c) {
  return c >= '0' && c <= '9' ? c - '0' : c >= 'A' && c <= 'F' ? c - 'A' + 10 : -1;
}

// Byte `i` of a pattern: 0..255, or -1 for "..".
constexpr int PatternByte(std::string_view pattern, size_t i) {
  const char high = pattern[3 * i];
  const char low = pattern[3 * i + 1];
  if (high == '.' && low == '.') return -1;
  return HexDigit(high) * 16 + HexDigit(low);
}

constexpr size_t PatternLength(std::string_view pattern) { return (pattern.size() + 1) / 3; }

constexpr bool WellFormed(std::string_view pattern) {
  if (pattern.size() % 3 != 2) return false;
  for (size_t i = 0; i < PatternLength(pattern); ++i) {
    const char high = pattern[3 * i];
    const char low = pattern[3 * i + 1];
    const bool wildcard = high == '.' && low == '.';
    if (!wildcard && (HexDigit(high) < 0 || HexDigit(low) < 0)) return false;
    if (i > 0 && pattern[3 * i - 1] != ' ') return false;
  }
  return true;
}

// Every pattern parses, names its first byte and fits in the compared bytes, and the groups
// are contiguous in ascending order: scanning the whole table then equals scanning a group.
constexpr bool TableIsSound() {
  int previousFirst = -1;
  for (const FileSignature& entry : kFileSignatures) {
    if (!WellFormed(entry.pattern) || PatternLength(entry.pattern) > 16) return false;
    const int first = PatternByte(entry.pattern, 0);
    if (first < 0 || first < previousFirst) return false;
    previousFirst = first;
  }
  return true;
}
static_assert(TableIsSound());

}  // namespace

bool MatchesSignature(std::string_view pattern, const unsigned char* bytes) {
  for (size_t i = 0; i < PatternLength(pattern); ++i) {
    const int expected = PatternByte(pattern, i);
    if (expected >= 0 && bytes[i] != expected) return false;
  }
  return true;
}

std::string IdentifyFileType(const std::string& path) {
  std::string result(kUnrecognizedFileType);
  std::FILE* file = OpenRegularFile(path);
  if (!file) return result;
  unsigned char bytes[kSignatureBytes] = {};
  const size_t count = std::fread(bytes, 1, sizeof bytes, file);
  std::fclose(file);
  if (count == 0) return result;
  for (const FileSignature& entry : kFileSignatures) {
    if (MatchesSignature(entry.pattern, bytes)) result = entry.name;
  }
  return result;
}

}  // namespace rondix
