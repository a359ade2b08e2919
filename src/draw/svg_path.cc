#include "draw/svg_path.h"

#include <cctype>
#include <cmath>
#include <cstdlib>
#include <string>

namespace rondix {
namespace {

bool IsSeparator(char c) { return c == ' ' || c == ',' || c == '\t' || c == '\n' || c == '\r'; }

class Reader {
 public:
  explicit Reader(std::string_view text) : text_(text) {}

  void SkipSeparators() {
    while (pos_ < text_.size() && IsSeparator(text_[pos_])) ++pos_;
  }
  bool AtEnd() {
    SkipSeparators();
    return pos_ >= text_.size();
  }
  char Peek() { return AtEnd() ? '\0' : text_[pos_]; }
  char Take() { return text_[pos_++]; }

  bool StartsNumber() {
    const char c = Peek();
    return c == '-' || c == '+' || c == '.' || std::isdigit(static_cast<unsigned char>(c));
  }

  std::optional<double> Number() {
    SkipSeparators();
    bool negative = false;
    while (pos_ < text_.size() && (text_[pos_] == '-' || text_[pos_] == '+')) {
      if (text_[pos_] == '-') negative = !negative;
      ++pos_;
    }
    const size_t start = pos_;
    bool digits = false;
    while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
      ++pos_;
      digits = true;
    }
    if (pos_ < text_.size() && text_[pos_] == '.') {
      ++pos_;
      while (pos_ < text_.size() && std::isdigit(static_cast<unsigned char>(text_[pos_]))) {
        ++pos_;
        digits = true;
      }
    }
    if (!digits) return std::nullopt;
    const std::string number(text_.substr(start, pos_ - start));
    const double value = std::strtod(number.c_str(), nullptr);
    if (!std::isfinite(value)) return std::nullopt;
    return negative ? -value : value;
  }

 private:
  std::string_view text_;
  size_t pos_ = 0;
};

}  // namespace

std::optional<PathFigures> ParseSvgPath(std::string_view text) {
  Reader reader(text);
  PathFigures figures;
  PathPoint current;
  PathPoint start;
  char command = '\0';
  bool closed = false;  // a lineto after a closepath starts a new figure at its start
  while (!reader.AtEnd()) {
    if (!reader.StartsNumber()) {
      command = reader.Take();
      if (command == 'Z' || command == 'z') {
        if (figures.empty()) return std::nullopt;
        current = start;
        closed = true;
        continue;
      }
      if (command != 'M' && command != 'm' && command != 'L' && command != 'l') {
        return std::nullopt;
      }
    } else if (command == '\0' || command == 'Z' || command == 'z') {
      return std::nullopt;  // coordinates without a command
    }
    const std::optional<double> x = reader.Number();
    const std::optional<double> y = x ? reader.Number() : std::nullopt;
    if (!x || !y) return std::nullopt;
    const bool relative = command == 'm' || command == 'l';
    const PathPoint point{relative ? current.x + *x : *x, relative ? current.y + *y : *y};
    if (command == 'M' || command == 'm') {
      figures.push_back({point});
      start = point;
      closed = false;
      // Further pairs after a moveto are linetos of the same kind.
      command = command == 'M' ? 'L' : 'l';
    } else {
      if (figures.empty()) return std::nullopt;
      if (closed) figures.push_back({start});
      closed = false;
      figures.back().push_back(point);
    }
    current = point;
  }
  return figures;
}

}  // namespace rondix
