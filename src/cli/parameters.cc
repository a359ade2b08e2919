#include "cli/parameters.h"

#include "core/text.h"

namespace rondix {
namespace {

bool InRange(Parameters params, int index) {
  return index >= 0 && static_cast<size_t>(index) < params.size();
}

bool OpensQuote(const std::string& value) {
  if (value.empty() || value.front() != '"') return false;
  // A lone quote opens a section; it cannot close itself.
  return value.size() == 1 || value.back() != '"';
}

}  // namespace

std::string OptionName(Parameters params, int index) {
  if (!InRange(params, index)) return {};
  std::string_view p = TrimBlanks(params[static_cast<size_t>(index)]);
  if (!p.starts_with('-')) return {};
  if (p.starts_with("--")) p = p.substr(0, p.find('='));
  return AsciiUpper(p);
}

std::string OptionValue(Parameters params, int index) {
  if (!InRange(params, index)) return {};
  std::string_view p = TrimBlanks(params[static_cast<size_t>(index)]);
  if (p.starts_with("--")) {
    size_t equals = p.find('=', 2);
    if (equals != std::string_view::npos) return std::string(p.substr(equals + 1));
  }
  return std::string(p);
}

std::string StripQuotes(std::string value) {
  size_t begin = value.find_first_not_of('"');
  if (begin == std::string::npos) return {};
  size_t end = value.find_last_not_of('"');
  return value.substr(begin, end - begin + 1);
}

std::string JoinQuotedValue(Parameters params, std::string value, int& index) {
  if (OpensQuote(value)) {
    while (InRange(params, index + 1)) {
      ++index;
      value += ' ';
      value += OptionValue(params, index);
      if (value.back() == '"') break;
    }
  }
  return StripQuotes(std::move(value));
}

}  // namespace rondix
