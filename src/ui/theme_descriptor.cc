#include "ui/theme_descriptor.h"

#include "core/text.h"

namespace rondix {
namespace {

size_t FindNoCase(std::string_view text, std::string_view needle, size_t from) {
  if (needle.size() > text.size()) return std::string_view::npos;
  for (size_t i = from; i + needle.size() <= text.size(); ++i) {
    if (EqualsNoCase(text.substr(i, needle.size()), needle)) return i;
  }
  return std::string_view::npos;
}

std::string_view TrimLineBlanks(std::string_view s) {
  constexpr std::string_view kBlanks = " \t\r\n";
  const size_t b = s.find_first_not_of(kBlanks);
  if (b == std::string_view::npos) return {};
  const size_t e = s.find_last_not_of(kBlanks);
  return s.substr(b, e - b + 1);
}

}  // namespace

std::string DescriptorValue(std::string_view text, std::string_view group, std::string_view key) {
  const std::string header = "[" + std::string(group) + "]";
  const size_t groupAt = FindNoCase(text, header, 0);
  if (groupAt == std::string_view::npos) return {};
  size_t groupEnd = text.find('[', groupAt + header.size());
  if (groupEnd == std::string_view::npos) groupEnd = text.size();

  const size_t lineBreak = FindNoCase(text, "\n" + std::string(key), groupAt);
  if (lineBreak == std::string_view::npos || lineBreak >= groupEnd) return {};
  const size_t lineStart = lineBreak + 1;
  size_t lineEnd = text.find('\n', lineStart);
  if (lineEnd == std::string_view::npos) lineEnd = text.size();

  const std::string_view line = text.substr(lineStart, lineEnd - lineStart);
  const size_t equals = line.find('=');
  if (equals == std::string_view::npos) return {};
  std::string_view value = line.substr(equals + 1);
  value = value.substr(0, value.find('='));
  return std::string(TrimLineBlanks(value));
}

std::string ThemeEntryName(std::string_view value, std::string_view sizeText) {
  if (value.empty()) return {};
  if (AsciiLower(value).find(".png") != std::string::npos) return std::string(value);
  return std::string(value) + "_" + std::string(sizeText) + ".png";
}

}  // namespace rondix
