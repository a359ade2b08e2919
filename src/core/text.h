// Small text helpers shared by every layer.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rondix {

std::string AsciiLower(std::string_view s);
std::string AsciiUpper(std::string_view s);
bool EqualsNoCase(std::string_view a, std::string_view b);
// Removes blanks and tabs at both ends.
std::string_view TrimBlanks(std::string_view s);
// Splits at every separator; an empty text gives one empty piece.
std::vector<std::string> Split(std::string_view s, char separator);
// Replaces every occurrence of `from` (exact case) with `to`.
std::string ReplaceAll(std::string_view s, std::string_view from, std::string_view to);

}  // namespace rondix
