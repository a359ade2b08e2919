#include "engine/color_parse.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(ParseColor, ReadsRrggbbPairs) {
  const struct {
    const char* text;
    int red, green, blue;
  } cases[] = {
      {"FF0000", 255, 0, 0},
      {"00ff80", 0, 255, 128},
      {"123456", 0x12, 0x34, 0x56},
      {"1G2H3I", 1, 2, 3},    // a pair stops at its first non-hex character
      {"G1H2I3", 0, 0, 0},    // ... so one that begins with it is 0
      {" F00FF", 0, 0, 0xFF},
      {"FF00", 0, 0, 0},      // any other length is black
      {"", 0, 0, 0},
      {"FFFFFFF", 0, 0, 0},
      {"#FF0000", 0, 0, 0},
      {"FF\xC3\x84" "000", 255, 0, 0},        // six characters, one of two bytes
      {"FF\xC3\x84" "0000", 0, 0, 0},         // seven characters
      {"FF\xC3\x84" "00", 0, 0, 0},           // five characters in six bytes
      {"\xC3\x84\xC3\x84\xC3\x84", 0, 0, 0},  // three characters of six bytes
  };
  for (const auto& c : cases) {
    const RGBQUAD color = ParseColor(c.text);
    EXPECT_EQ(color.rgbRed, c.red) << c.text;
    EXPECT_EQ(color.rgbGreen, c.green) << c.text;
    EXPECT_EQ(color.rgbBlue, c.blue) << c.text;
    EXPECT_EQ(color.rgbReserved, 0) << c.text;
  }
}

}  // namespace
}  // namespace rondix
