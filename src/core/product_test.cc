#include "core/product.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(ProductTest, VersionText) {
  struct Case {
    int number;
    const char* text;
  } cases[] = {{290, "2.9"}, {291, "2.9.1"}, {300, "3.0"}, {305, "3.0.5"}, {1234, "1.2.34"}};
  for (const Case& c : cases) EXPECT_EQ(VersionText(c.number), c.text) << c.number;
}

TEST(ProductTest, TitleText) { EXPECT_EQ(TitleText(), "Pelloran TGA to PNG 2.9"); }

}  // namespace
}  // namespace rondix
