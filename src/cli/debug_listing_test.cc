#include "cli/debug_listing.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/formats.h"
#include "engine/output_encoding.h"

namespace rondix {
namespace {

TEST(DebugListingTest, FormattingRule) {
  SettingsStore s;
  ResetSettings(s, true);
  s.SetInt("Output", "PNG Compression", 1);
  s.SetFloat("Adjustment", "Image Gamma", 2.2f);
  s.SetInt("Transform", "Image Width", 50);
  s.SetInt("Transform", "Image Width Unit", 1);
  s.SetInt("Watermark", "Text Size", 1);  // no keyword for 1
  s.SetInt("Watermark", "Text X Offset", -3);
  struct Case {
    ListingLine line;
    std::string text;
  } cases[] = {
      {{"PNG Compression: ", "Output", "PNG Compression", ListingValue::Keyword, 4},
       "PNG Compression: RLE"},
      {{"Gamma: ", "Adjustment", "Image Gamma", ListingValue::Gamma}, "Gamma: 2.20"},
      {{"Width: ", "Transform", "Image Width", ListingValue::Size, -1, "Image Width Unit"},
       "Width: 50 PERCENT"},
      {{"Height: ", "Transform", "Image Height", ListingValue::Size, -1, "Image Height Unit"},
       "Height: 0 PIXELS"},
      {{"Watermark size/mode: ", "Watermark", "Text Size", ListingValue::Keyword, 21},
       "Watermark size/mode: "},
      {{"x: ", "Watermark", "Text X Offset", ListingValue::Offsets, -1, "Text Y Offset"},
       "x: -3/10"},
      {{"Frame left color: ", "Frame", "Solid Left Color", ListingValue::Text},
       "Frame left color: 000000"},
      {{"Keep Subfolders: ", "Advanced", "Keep Subfolders"}, "Keep Subfolders: 1"},
      {{"Frame: ", "Frame", "Do Frame", ListingValue::Keyword, 14}, "Frame: NONE"},
  };
  for (const Case& c : cases) EXPECT_EQ(FormatListingLine(c.line, s), c.text);
}

TEST(DebugListingTest, EveryFormatWithADepthSettingHasARow) {
  ASSERT_EQ(FormatListings().size(), BitDepthKeys().size());
  for (const BitDepthKeyRow& row : BitDepthKeys()) {
    const FormatListing* f = FindFormatListing(row.extension);
    ASSERT_NE(f, nullptr) << row.extension;
    for (const ListingLine& line : f->lines) {
      EXPECT_EQ(line.group, "Output");
      EXPECT_GE(FindSettingIndex(line.group, line.key), 0) << line.key;
    }
  }
  EXPECT_EQ(FindFormatListing("jpg")->qualityError, "Error: Invalid jpg-quality value");
  EXPECT_EQ(FindFormatListing("webp")->qualityKey, "WEBP Quality");
  EXPECT_EQ(FindFormatListing("png")->qualityKey, "");
  EXPECT_EQ(FindFormatListing("PNG"), nullptr);
}

TEST(DebugListingTest, InputFamilies) {
  EXPECT_TRUE(InputFamilyListing("tga").empty());
  EXPECT_EQ(InputFamilyListing("raw").size(), 5u);
  EXPECT_EQ(InputFamilyListing("dds")[0].label, "DDS Load As: ");
}

}  // namespace
}  // namespace rondix
