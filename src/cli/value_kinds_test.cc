#include "cli/value_kinds.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>
#include <string>

namespace rondix {
namespace {

TEST(ValueKindsTest, Integer) {
  struct Case {
    std::string text;
    int32_t value;
  } cases[] = {
      {"95", 95},           {"-50", -50},       {"+7", 7},           {" \t12", 12},
      {"$18", 24},          {"$ff", 255},       {"-$10", -16},       {"%101", 5},
      {"12abc", 12},        {"abc", 0},         {"", 0},             {"$", 0},
      {"%2", 0},            {"-", 0},           {"1.9", 1},          {"$FFFFFFFF", -1},
      {"99999999999", 2147483647},              {"-99999999999", -2147483647 - 1},
      {"%11111111111111111111111111111111", -1}, {" 1 2", 1},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseOptionInteger(c.text), c.value) << c.text;
}

TEST(ValueKindsTest, Decimal) {
  struct Case {
    std::string text;
    float value;
  } cases[] = {
      {"2.2", 2.2f}, {"9.99", 9.99f}, {"-0.5", -0.5f}, {"+1.5", 1.5f}, {" 3 ", 3.0f},
      {".5", 0.5f},  {"5.", 5.0f},    {"1e1", 10.0f},  {"abc", 0},     {"2.2x", 0},
      {"", 0},       {"2,2", 0},      {"0x10", 0},     {"inf", 0},     {"1e", 0},
  };
  for (const Case& c : cases) EXPECT_EQ(ParseOptionDecimal(c.text), c.value) << c.text;

  constexpr float kInf = std::numeric_limits<float>::infinity();
  EXPECT_EQ(ParseOptionDecimal("+Infinity"), kInf);
  EXPECT_EQ(ParseOptionDecimal("+INFINITY"), kInf);
  EXPECT_EQ(ParseOptionDecimal("-infinity"), -kInf);
  EXPECT_EQ(ParseOptionDecimal("Infinity"), 0);  // the sign is part of the word
  EXPECT_TRUE(std::isnan(ParseOptionDecimal("nan")));
  EXPECT_EQ(ParseOptionDecimal("1e39"), kInf);  // beyond the float range
}

}  // namespace
}  // namespace rondix
