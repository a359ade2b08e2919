#include "storage/string_table.h"

#include <gtest/gtest.h>

#include <string>

#include "core/text.h"

namespace rondix {
namespace {

TEST(StringTableTest, EveryBuiltInEntryIsFound) {
  StringTable table;
  std::string_view group;
  int preferences = 0;
  int entries = 0;
  for (const StringPair& pair : BuiltInStrings()) {
    if (pair.first == "_END_") break;
    if (pair.first == "_GROUP_") {
      group = pair.second;
      continue;
    }
    ++entries;
    if (group == "Preferences") ++preferences;
    EXPECT_EQ(table.GetText(group, pair.first), pair.second) << group << "/" << pair.first;
    EXPECT_EQ(table.GetText(AsciiLower(group), AsciiLower(pair.first)), pair.second);
  }
  EXPECT_EQ(preferences, 209);
  EXPECT_EQ(entries, 16 + 6 + 26 + 11 + 3 + 4 + 3 + 209);
}

struct LookupCase {
  std::string_view group;
  std::string_view key;
  std::string_view expected;
};

TEST(StringTableTest, Lookups) {
  const LookupCase cases[] = {
      {"msg", "error", "Error"},
      {"MENU", "select input file", "Add Input File..."},
      {"Custom-Converter", "Title", "Find a File Converter"},
      {"Preferences", "Save window position", "Save Window's Coords:"},
      {"Preferences", "X-Offset", "X-Offset:"},
      {"Preferences", "Top-Left", "Top-Left"},
      {"Preferences", "Image", "Image:"},
      {"Preferences", "Watermark Image", "Image"},
      {"Msg", "Invalid output folder",
       "The following output folder is invalid or doesn't exist:\r\n%s1%\r\n\r\n"
       "Please, correct the output path and try again!"},
      {"Msg", "No such key", kNoStringError},
      {"No such group", "Error", kNoStringError},
      {"Msg", "", kNoStringError},
      {"", "Error", kNoStringError},
      {"Msg", "\xC3\xA9rror", kNoStringError},
      {"Msg", "Errors", kNoStringError},
      {"Msg", "Erro", kNoStringError},
      {"Msg", "A", kNoStringError},
      {"Msg", "Zzz", kNoStringError},
  };
  StringTable table;
  for (const LookupCase& c : cases) EXPECT_EQ(table.GetText(c.group, c.key), c.expected) << c.group << "/" << c.key;
}

TEST(StringTableTest, AlternatingGroupsReplaceTheCache) {
  StringTable table;
  for (int round = 0; round < 3; ++round) {
    EXPECT_EQ(table.GetText("Menu", "File"), "File");
    EXPECT_EQ(table.GetText("Dialog", "Cancel"), "Cancel");
    EXPECT_EQ(table.GetText("Menu", "Cancel"), kNoStringError);
    EXPECT_EQ(table.GetText("Nowhere", "File"), kNoStringError);
    EXPECT_EQ(table.GetText("About", "Title"), "About...");
    EXPECT_EQ(table.GetText("Uninstall", "Title"), "Uninstall");
  }
}

TEST(StringTableTest, BuildsFromOwnData) {
  const StringPair data[] = {
      {"_group_", "Empty"},
      {"_GROUP_", "Letters"},
      {"b", "bee"},
      {"AB", "ay-bee"},
      {"a", "ay"},
      {"same", "zebra"},
      {"SAME", "apple"},
      {"", "nameless"},
      {"_GROUP_", "letters"},  // a later group of the same name is never searched
      {"c", "hidden"},
      {"_End_", ""},
      {"after", "end"},
  };
  StringTable table(data);
  EXPECT_EQ(table.GetText("letters", "A"), "ay");
  EXPECT_EQ(table.GetText("letters", "ab"), "ay-bee");
  EXPECT_EQ(table.GetText("letters", "B"), "bee");
  EXPECT_EQ(table.GetText("letters", "same"), "apple");  // equal keys are ordered by text
  EXPECT_EQ(table.GetText("letters", "c"), kNoStringError);
  EXPECT_EQ(table.GetText("letters", ""), kNoStringError);
  EXPECT_EQ(table.GetText("empty", "a"), kNoStringError);
  EXPECT_EQ(table.GetText("letters", "after"), kNoStringError);
}

struct SubstituteCase {
  std::string_view text;
  std::string_view s1, s2, s3, s4;
  std::string_view expected;
};

TEST(StringTableTest, Substitute) {
  const SubstituteCase cases[] = {
      {"Files converted: %s1% of %s2%", "3", "10", "", "", "Files converted: 3 of 10"},
      {"Time Remaining: %s1%", "", "", "", "", "Time Remaining: %s1%"},
      {"(%S1%/%s2%)", "1", "2", "", "", "(1/2)"},
      {"%s1%", "%s2%", "x", "", "", "x"},
      {"%s2%", "", "%s1%", "", "", "%s1%"},  // no going back to an earlier placeholder
      {"%s1%%s1%-%s4%-%s3%", "a", "", "c", "d", "aa-d-c"},
      {"%s1%", "%s1%", "", "", "", "%s1%"},
      {"", "x", "y", "", "", ""},
      {"no placeholders", "x", "", "", "", "no placeholders"},
  };
  for (const SubstituteCase& c : cases) {
    EXPECT_EQ(Substitute(c.text, c.s1, c.s2, c.s3, c.s4), c.expected) << c.text;
  }
}

}  // namespace
}  // namespace rondix
