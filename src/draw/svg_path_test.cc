#include "draw/svg_path.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

std::vector<std::pair<double, double>> Points(const std::vector<PathPoint>& figure) {
  std::vector<std::pair<double, double>> out;
  for (const PathPoint& p : figure) out.emplace_back(p.x, p.y);
  return out;
}

TEST(ParseSvgPath, RelativeLinesFromTheMove) {
  const auto path = ParseSvgPath("M 0 0 l 100 0 l -10 10 l -80 0 Z");
  ASSERT_TRUE(path);
  ASSERT_EQ(path->size(), 1u);
  EXPECT_EQ(Points((*path)[0]),
            (std::vector<std::pair<double, double>>{{0, 0}, {100, 0}, {90, 10}, {10, 10}}));
}

TEST(ParseSvgPath, DoubleMinusIsANegatedNegative) {
  // Top band of a 100-wide image with left and right 60: l -(100-60-60) 0 -> l --20 0.
  const auto path = ParseSvgPath("M 0 0 l 100 0 l -60 10 l --20 0 Z");
  ASSERT_TRUE(path);
  EXPECT_EQ(Points((*path)[0]),
            (std::vector<std::pair<double, double>>{{0, 0}, {100, 0}, {40, 10}, {60, 10}}));
}

TEST(ParseSvgPath, AbsoluteCommasAndImplicitLines) {
  const auto path = ParseSvgPath("M1,2 3,4 L 5.5 6 m 1 1 l 2 0z");
  ASSERT_TRUE(path);
  ASSERT_EQ(path->size(), 2u);
  EXPECT_EQ(Points((*path)[0]),
            (std::vector<std::pair<double, double>>{{1, 2}, {3, 4}, {5.5, 6}}));
  EXPECT_EQ(Points((*path)[1]), (std::vector<std::pair<double, double>>{{6.5, 7}, {8.5, 7}}));
}

TEST(ParseSvgPath, LineAfterCloseStartsAtTheFigureStart) {
  const auto path = ParseSvgPath("M 10 10 l 5 0 l 0 5 Z l -5 0");
  ASSERT_TRUE(path);
  ASSERT_EQ(path->size(), 2u);
  EXPECT_EQ(Points((*path)[1]), (std::vector<std::pair<double, double>>{{10, 10}, {5, 10}}));
}

TEST(ParseSvgPath, RejectsWhatItDoesNotKnow) {
  for (const char* text : {"M 0 0 C 1 1 2 2 3 3", "l 1 1", "M 0", "M 0 0 l x 1", "5 5",
                           "M 0 0 l - 1", "Z"}) {
    EXPECT_FALSE(ParseSvgPath(text)) << text;
  }
  ASSERT_TRUE(ParseSvgPath(""));
  EXPECT_TRUE(ParseSvgPath("")->empty());
}

}  // namespace
}  // namespace rondix
