// Paths from SVG path text, the subset the frame bands use: moveto and lineto, absolute
// (M, L) and relative (m, l), and closepath (Z, z). Numbers may carry several signs; each
// "-" flips the sign, so "--20" is 20 (a negated negative difference).
#pragma once
#include <optional>
#include <string_view>
#include <vector>

namespace rondix {

struct PathPoint {
  double x = 0;
  double y = 0;
};

// One subpath per moveto; every subpath is filled as closed.
using PathFigures = std::vector<std::vector<PathPoint>>;

// Nothing when the text holds another command, a missing or malformed number, or
// coordinates before the first moveto.
std::optional<PathFigures> ParseSvgPath(std::string_view text);

}  // namespace rondix
