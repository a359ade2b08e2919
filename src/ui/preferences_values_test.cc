#include "ui/preferences_values.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

#include "core/settings_table.h"
#include "ui/preferences_pages.h"

namespace rondix {
namespace {

TEST(PreferencesValuesTest, LeadingIntegerReadsTheNumberAtTheStart) {
  struct Case {
    std::string_view text;
    int32_t expected;
  } cases[] = {
      {"", 0},
      {"abc", 0},
      {"42", 42},
      {"  42px", 42},
      {"-7", -7},
      {"+7", 7},
      {"-", 0},
      {"12abc", 12},
      {"1.9", 1},
      {"99999999999", std::numeric_limits<int32_t>::max()},
      {"-99999999999", std::numeric_limits<int32_t>::min()},
  };
  for (const Case& c : cases) EXPECT_EQ(LeadingInteger(c.text), c.expected) << c.text;
}

TEST(PreferencesValuesTest, GammaTextRules) {
  struct Case {
    std::string_view text;
    int hundredths;
  } cases[] = {
      {"2.5", 250},
      {"2.2", 220},
      {"0", 1},
      {"abc", 1},
      {"-3", 1},
      {"1", 100},
      {"9.99", 999},
      {"12", 999},
      {"0.004", 1},
      {"1.234", 123},
      {"99999999999999999999", 999},
  };
  for (const Case& c : cases) EXPECT_EQ(GammaHundredthsFromText(c.text), c.hundredths) << c.text;

  EXPECT_EQ(GammaText(250), "2.50");
  EXPECT_EQ(GammaText(1), "0.01");
  EXPECT_EQ(GammaText(100), "1.00");
  EXPECT_EQ(GammaText(999), "9.99");

  EXPECT_EQ(GammaHundredths(2.2f), 220);
  EXPECT_EQ(GammaHundredths(1.0f), 100);
  EXPECT_EQ(GammaHundredths(0.0f), 1);
  EXPECT_EQ(GammaHundredths(50.0f), 999);
  EXPECT_EQ(GammaHundredths(std::nanf("")), 100);
  EXPECT_EQ(GammaHundredths(std::numeric_limits<float>::infinity()), 100);
}

TEST(PreferencesValuesTest, CleanTextKeepsConfigLinesWhole) {
  struct Case {
    std::string_view text;
    std::string_view cleaned;
  } cases[] = {
      {"", ""},
      {"  Hello  ", "Hello"},
      {"a\tb", "ab"},
      {"line one\r\nline two", "line oneline two"},
      {"evil\r\n[General]\r\nLanguage = xx", "evil[General]Language = xx"},
      {"text \n", "text"},
      {" \t ", ""},
  };
  for (const Case& c : cases) EXPECT_EQ(CleanText(c.text), c.cleaned) << c.text;
}

TEST(PreferencesValuesTest, ColorLabelsNameKnownColours) {
  const StringTable strings;
  EXPECT_EQ(ColorLabel("FF0000", strings), "Red");
  EXPECT_EQ(ColorLabel("ff8000", strings), "Orange");
  EXPECT_EQ(ColorLabel("C0C0C0", strings), "Silver");
  EXPECT_EQ(ColorLabel("12ab34", strings), "Color #12AB34");
  EXPECT_EQ(NamedColors().size(), 19u);
  for (const NamedColor& named : NamedColors()) {
    EXPECT_EQ(ColorLabel(named.hex, strings), named.name);
  }
  EXPECT_EQ(NormalizedColor("ff8000"), "FF8000");
  EXPECT_EQ(NormalizedColor("12AB3"), "000000");  // wrong length reads as black
  EXPECT_EQ(NormalizedColor("1G2233"), "012233");
}

TEST(PreferencesValuesTest, ListsAndFonts) {
  EXPECT_EQ(ListEntries(" 000000 , FFFFFF"), (std::vector<std::string>{"000000", "FFFFFF"}));
  EXPECT_EQ(ListEntries(""), (std::vector<std::string>{""}));
  EXPECT_EQ(FontEntries("Arial, Tahoma ,,Verdana"),
            (std::vector<std::string>{"Arial", "Tahoma", "Verdana"}));
  EXPECT_TRUE(FontEntries(" , ").empty());
  EXPECT_EQ(AppendListEntry("Arial", "Tahoma"), "Arial,Tahoma");
  EXPECT_EQ(AppendListEntry("", "Tahoma"), "Tahoma");
}

TEST(PreferencesValuesTest, FontStyleMatching) {
  struct Case {
    int weight;
    bool italic, underline, strikeOut;
    int position;
  } cases[] = {
      {400, false, false, false, 0}, {700, false, false, false, 1}, {400, true, false, false, 2},
      {700, true, false, false, 3},  {600, false, false, false, 0},  // only exactly 700 is bold
      {700, false, true, false, -1}, {400, false, false, true, -1}, {900, true, false, false, 2},
  };
  for (const Case& c : cases) {
    EXPECT_EQ(FontStylePosition(FontStyleValue(c.weight, c.italic, c.underline, c.strikeOut)),
              c.position)
        << c.weight << " " << c.italic << c.underline << c.strikeOut;
  }
}

TEST(PreferencesValuesTest, RefreshRequestAndColorCorrection) {
  EXPECT_EQ(RefreshRequestFor(2, 2, "a", "a"), 0);
  EXPECT_EQ(RefreshRequestFor(2, 1, "a", "a"), 2);
  EXPECT_EQ(RefreshRequestFor(2, 2, "a", "b"), 1);
  EXPECT_EQ(RefreshRequestFor(2, 0, "a", "b"), 1);  // a new theme reloads everything anyway

  EXPECT_FALSE(NeedsColorCorrection(0, 0, 1.0f, 0));
  EXPECT_TRUE(NeedsColorCorrection(5, 0, 1.0f, 0));
  EXPECT_TRUE(NeedsColorCorrection(0, -5, 1.0f, 0));
  EXPECT_TRUE(NeedsColorCorrection(0, 0, 1.01f, 0));
  EXPECT_TRUE(NeedsColorCorrection(0, 0, 1.0f, 1));
}

// Every text the pages show exists in the string table, and every bound key is a setting.
TEST(PreferencesPagesTest, TablesNameRealTextsAndSettings) {
  const StringTable strings;
  auto check = [&](const RowSpec& row) {
    EXPECT_NE(strings.GetText("Preferences", row.label), kNoStringError) << row.label;
    for (std::string_view entry : row.entries) {
      EXPECT_NE(strings.GetText("Preferences", entry), kNoStringError)
          << row.label << ": " << entry;
    }
    if (row.group.empty()) return;
    EXPECT_GE(FindSettingIndex(row.group, row.key), 0) << row.group << "/" << row.key;
    switch (row.kind) {
      case RowKind::Number:
        if (!row.extra.empty()) {
          EXPECT_NE(strings.GetText("Preferences", row.extra), kNoStringError);
        }
        break;
      case RowKind::NumberAndUnit:
      case RowKind::ColorList:
        EXPECT_GE(FindSettingIndex(row.group, row.extra), 0) << row.extra;
        break;
      default:
        break;
    }
  };
  int pages = 0;
  for (const PageSpec& page : PreferencesPages()) {
    ++pages;
    EXPECT_NE(strings.GetText("Preferences", page.title), kNoStringError) << page.title;
    for (const RowSpec& row : page.rows) check(row);
    for (const AreaSpec& area : page.areas) {
      for (const RowSpec& row : area.rows) check(row);
      // The rows fit the area's content.
      EXPECT_LE(10 + 30 * static_cast<int>(area.rows.size()), area.contentHeight) << area.id;
    }
  }
  EXPECT_EQ(pages, 9);
  for (const SubPageSpec& sub : InputSubPages()) {
    for (const RowSpec& row : sub.rows) check(row);
  }
  EXPECT_EQ(OutputSubPages().size(), 23u);
  for (const SubPageSpec& sub : OutputSubPages()) {
    check(sub.bitDepth);
    for (const RowSpec& row : sub.rows) check(row);
  }
  for (const DependencySpec& dependency : PreferencesDependencies()) {
    EXPECT_GE(FindSettingIndex(dependency.group, dependency.key), 0) << dependency.key;
    if (!dependency.targetGroup.empty()) {
      EXPECT_GE(FindSettingIndex(dependency.targetGroup, dependency.targetKey), 0)
          << dependency.targetKey;
    }
  }
}

// Every setting of the pages' groups is bound by some row, except those that are derived or
// belong to other windows.
TEST(PreferencesPagesTest, EveryEditableSettingHasARow) {
  std::vector<std::string> bound;
  auto add = [&](const RowSpec& row) {
    if (row.group.empty()) return;
    bound.push_back(std::string(row.group) + "/" + std::string(row.key));
    if (row.kind == RowKind::NumberAndUnit || row.kind == RowKind::ColorList ||
        row.kind == RowKind::FontList) {
      bound.push_back(std::string(row.group) + "/" +
                      std::string(row.kind == RowKind::FontList ? "Fonts" : row.extra));
    }
  };
  for (const PageSpec& page : PreferencesPages()) {
    for (const RowSpec& row : page.rows) add(row);
    for (const AreaSpec& area : page.areas) {
      for (const RowSpec& row : area.rows) add(row);
    }
  }
  for (const SubPageSpec& sub : InputSubPages()) {
    for (const RowSpec& row : sub.rows) add(row);
  }
  for (const SubPageSpec& sub : OutputSubPages()) {
    add(sub.bitDepth);
    for (const RowSpec& row : sub.rows) add(row);
  }
  const std::vector<std::string> unbound = {"General/CFG", "General/Update Date",
                                            "Adjustment/Do Image Color Correction"};
  for (const SettingDef& def : SettingDefs()) {
    const std::string name = std::string(def.group) + "/" + std::string(def.key);
    if (def.group == "Window" || def.group == "File" || def.group == "Privacy") continue;
    if (std::find(unbound.begin(), unbound.end(), name) != unbound.end()) continue;
    EXPECT_NE(std::find(bound.begin(), bound.end(), name), bound.end()) << name;
  }
}

}  // namespace
}  // namespace rondix
