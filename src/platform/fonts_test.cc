#include "platform/fonts.h"

#include <filesystem>
#include <string>

#include <gtest/gtest.h>

namespace rondix {
namespace {

// Needs fonts-dejavu-core and fonts-liberation2.
TEST(Fonts, AvailabilityFollowsFamilyOrMetricAlias) {
  struct Case {
    const char* family;
    const char* resolved;  // nullptr: not available
  } cases[] = {
      {"DejaVu Sans", "DejaVu Sans"},
      {"dejavu sans", "DejaVu Sans"},
      {"Liberation Sans", "Liberation Sans"},
      {"Arial", "Liberation Sans"},
      {"Times New Roman", "Liberation Serif"},
      {"Courier New", "Liberation Mono"},
      {"NoSuchFontXyz", nullptr},
      {"sans-serif", nullptr},
      {"", nullptr},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontFamilyAvailable(c.family), c.resolved != nullptr) << c.family;
    auto font = ResolveFontFamily(c.family, false, false);
    if (c.resolved == nullptr) {
      EXPECT_FALSE(font.has_value()) << c.family;
      continue;
    }
    ASSERT_TRUE(font.has_value()) << c.family;
    EXPECT_EQ(font->family, c.resolved);
    EXPECT_TRUE(std::filesystem::is_regular_file(font->file)) << font->file;
  }
}

TEST(Fonts, StyleSelectsTheFace) {
  struct Case {
    bool bold, italic;
    const char* file;
  } cases[] = {
      {false, false, "LiberationSans-Regular.ttf"},
      {true, false, "LiberationSans-Bold.ttf"},
      {false, true, "LiberationSans-Italic.ttf"},
      {true, true, "LiberationSans-BoldItalic.ttf"},
  };
  for (const Case& c : cases) {
    auto font = ResolveFontFamily("Arial", c.bold, c.italic);
    ASSERT_TRUE(font.has_value());
    EXPECT_EQ(font->family, "Liberation Sans");
    EXPECT_EQ(std::filesystem::path(font->file).filename(), c.file);
  }
}

}  // namespace
}  // namespace rondix
