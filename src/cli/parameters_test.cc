#include "cli/parameters.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace rondix {
namespace {

TEST(ParametersTest, OptionNameAndValue) {
  struct Case {
    std::string parameter;
    std::string name;
    std::string value;
  } cases[] = {
      {"--jpg-quality=95", "--JPG-QUALITY", "95"},
      {"-i", "-I", "-i"},
      {"photo.tga", "", "photo.tga"},
      {"  --Wm-Text=a=b  ", "--WM-TEXT", "a=b"},  // trimmed; only the first "=" splits
      {"--brightness=-50", "--BRIGHTNESS", "-50"},
      {"--input", "--INPUT", "--input"},           // no "=": the value is the parameter
      {"--flip-horizontal=0", "--FLIP-HORIZONTAL", "0"},
      {"-q=1", "-Q=1", "-q=1"},                    // short options keep their "="
      {"--=x", "--", "x"},
      {"--gamma=", "--GAMMA", ""},
      {"--wm-text=\"a b\"", "--WM-TEXT", "\"a b\""},
      {"", "", ""},
  };
  for (const Case& c : cases) {
    std::vector<std::string> params{c.parameter};
    EXPECT_EQ(OptionName(params, 0), c.name) << c.parameter;
    EXPECT_EQ(OptionValue(params, 0), c.value) << c.parameter;
  }
  std::vector<std::string> params{"-i"};
  EXPECT_EQ(OptionName(params, 1), "");
  EXPECT_EQ(OptionValue(params, 1), "");
  EXPECT_EQ(OptionValue(params, -1), "");
}

TEST(ParametersTest, StripQuotes) {
  EXPECT_EQ(StripQuotes("\"a b\""), "a b");
  EXPECT_EQ(StripQuotes("\"a"), "a");
  EXPECT_EQ(StripQuotes("a\"\""), "a");
  EXPECT_EQ(StripQuotes("a\"b"), "a\"b");
  EXPECT_EQ(StripQuotes("\"\""), "");
  EXPECT_EQ(StripQuotes(""), "");
}

TEST(ParametersTest, JoinQuotedValue) {
  struct Case {
    std::vector<std::string> params;
    int start;          // parameter the value came from
    std::string value;  // as taken from it
    std::string joined;
    int end;            // index after joining
  } cases[] = {
      {{"-i", "\"my", "pic.tga\"", "-q"}, 1, "\"my", "my pic.tga", 2},
      {{"--wm-text=\"a", "b", "c\"", "x"}, 0, "\"a", "a b c", 2},
      {{"--wm-text=\"a b\""}, 0, "\"a b\"", "a b", 0},           // closed in one parameter
      {{"-i", "plain.tga", "more"}, 1, "plain.tga", "plain.tga", 1},
      {{"-i", "\"open", "never"}, 1, "\"open", "open never", 2},  // runs out: quotes stripped
      {{"-i", "\"", "a b\""}, 1, "\"", " a b", 2},               // a lone quote opens
      {{"--wm-text=\"a", "--x=b\""}, 0, "\"a", "a b", 1},         // taken by OptionValue
  };
  for (const Case& c : cases) {
    int index = c.start;
    EXPECT_EQ(JoinQuotedValue(c.params, c.value, index), c.joined) << c.value;
    EXPECT_EQ(index, c.end) << c.value;
  }
}

}  // namespace
}  // namespace rondix
