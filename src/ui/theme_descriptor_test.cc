#include "ui/theme_descriptor.h"

#include <gtest/gtest.h>

namespace rondix {
namespace {

struct LookupCase {
  const char* what;
  const char* text;
  const char* group;
  const char* key;
  const char* value;
};

TEST(DescriptorValue, FollowsTheLooseLookupRules) {
  const LookupCase cases[] = {
      {"plain", "[Icons]\r\nNew=new\r\n", "Icons", "New", "new"},
      {"group and key ignore case", "[icons]\r\nnew=n\r\n", "ICONS", "New", "n"},
      {"missing group", "[Buttons]\r\nNew=b\r\n", "Icons", "New", ""},
      {"missing key", "[Icons]\r\nAdd=a\r\n", "Icons", "New", ""},
      {"key of an earlier group is not seen", "[Buttons]\r\nNew=b\r\n[Icons]\r\nNew=i\r\n", "Icons",
       "New", "i"},
      {"key of a later group is not seen", "[Icons]\r\nAdd=a\r\n[Buttons]\r\nNew=b\r\n", "Icons",
       "New", ""},
      {"a longer key placed first answers", "[Icons]\r\nNewX=foo\r\nNew=bar\r\n", "Icons", "New",
       "foo"},
      {"a '[' in a value ends the group", "[Icons]\r\nAdd=a[1]\r\nNew=n\r\n", "Icons", "New", ""},
      {"value ends at the next '='", "[Icons]\r\nNew=a=b\r\n", "Icons", "New", "a"},
      {"blanks, tabs and CR trimmed", "[Icons]\r\nNew = \t new.png \t\r\n", "Icons", "New",
       "new.png"},
      {"line without '=' has no value", "[Icons]\r\nNew\r\nAdd=z\r\n", "Icons", "New", ""},
      {"key must start its line", "[Icons]\r\n New=x\r\nAddNew=y\r\n", "Icons", "New", ""},
      {"last line without line end, LF only", "[Theme]\nName=Hand-drawn", "Theme", "Name",
       "Hand-drawn"},
      {"key right after the header on one line is not a line", "[Icons]New=x\r\n", "Icons", "New",
       ""},
      {"empty text", "", "Icons", "New", ""},
  };
  for (const LookupCase& c : cases) {
    EXPECT_EQ(DescriptorValue(c.text, c.group, c.key), c.value) << c.what;
  }
}

TEST(ThemeEntryName, BaseNamesTakeTheSizeAndPngNamesStand) {
  EXPECT_EQ(ThemeEntryName("new", "32"), "new_32.png");
  EXPECT_EQ(ThemeEntryName("new", "16"), "new_16.png");
  EXPECT_EQ(ThemeEntryName("new.PNG", "32"), "new.PNG");
  EXPECT_EQ(ThemeEntryName("pics/new.png", "16"), "pics/new.png");
  EXPECT_EQ(ThemeEntryName("new.pngx", "16"), "new.pngx");  // ".png" anywhere counts
  EXPECT_EQ(ThemeEntryName("", "16"), "");
}

}  // namespace
}  // namespace rondix
