#include "core/keywords.h"

#include <string>

#include <gtest/gtest.h>

namespace rondix {
namespace {

TEST(Keywords, ParseTakesTheFirstEqualKeywordWhateverTheCase) {
  struct Case {
    int vocabulary;
    const char* text;
    int32_t value;
  } cases[] = {
      {4, "zip", 1},       {4, "ZLIB1", 1},       {4, "zlib9", 3},      {4, "LogLuv", 8},
      {12, "Lanczos", 5},  {12, "bicubic", 3},    {1, "48HS", 4},       {1, "48", 5},
      {18, "center", 1},   {17, "StrikeThrought", 2}, {22, "custom", 2}, {20, "BottomRight", 8},
      {20, "CENTER", 0},   // a keyword of another vocabulary
      {17, "STRIKETHROUGH", 0},  // only the historical spelling is a keyword
      {12, "LANCZOS3", 0}, {4, "ZLIB", 0},
      {14, "SOLID", 0},    {15, "TEXT", 0},  // names only, no parsing side
      {23, "FIXED", 0},    {-1, "NONE", 0},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(ParseKeyword(c.vocabulary, c.text), c.value) << c.vocabulary << " " << c.text;
  }
}

TEST(Keywords, EmptyTextParsesToZeroInEveryVocabulary) {
  for (int v = 0; v <= 22; ++v) EXPECT_EQ(ParseKeyword(v, ""), 0) << v;
}

TEST(Keywords, NameIsTheFirstKeywordOfTheValue) {
  struct Case {
    int vocabulary;
    int32_t value;
    const char* name;
  } cases[] = {
      {4, 0, "NONE"},  {4, 1, "RLE"},          {4, 2, "PIZ"}, {4, 3, "PXR24"}, {4, 4, "B44"},
      {4, 5, "ADOBEDEFLATE"}, {4, 6, "LZW"},   {4, 7, "JPEG"}, {4, 8, "LOGLUV"}, {4, 9, ""},
      {21, 0, "FIXED"}, {21, 1, ""},
      {14, 0, "NONE"}, {14, 1, "SOLID"},       {15, 1, "TEXT"}, {15, 2, "IMAGE"},
      {12, 5, "LANCZOS"}, {10, 1, "PERCENT"},  {22, 2, "CUSTOM"}, {12, -1, ""},
      {23, 0, ""},     {-1, 0, ""},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(KeywordName(c.vocabulary, c.value), c.name) << c.vocabulary << " " << c.value;
  }
}

TEST(Keywords, VocabulariesAreNumberedInOrderAndEveryKeywordParsesBack) {
  for (int v = 0; v <= 22; ++v) {
    const KeywordVocabulary* vocabulary = FindVocabulary(v);
    ASSERT_NE(vocabulary, nullptr) << v;
    EXPECT_EQ(vocabulary->number, v);
    EXPECT_EQ(vocabulary->parsable, v != 14 && v != 15) << v;
    if (!vocabulary->parsable) continue;
    for (const Keyword& k : vocabulary->keywords) {
      // A later keyword that repeats an earlier one would never be reached.
      std::string lower;
      for (char ch : k.name) lower += static_cast<char>(ch >= 'A' && ch <= 'Z' ? ch + 32 : ch);
      EXPECT_EQ(ParseKeyword(v, lower), k.value) << v << " " << k.name;
    }
  }
  EXPECT_EQ(FindVocabulary(23), nullptr);
}

}  // namespace
}  // namespace rondix
