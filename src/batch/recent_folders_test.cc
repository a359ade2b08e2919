#include "batch/recent_folders.h"

#include <gtest/gtest.h>

#include <QComboBox>

#include "core/text.h"
#include "support/qt_app.h"

namespace rondix {
namespace {

SettingsStore StoreWith(const std::string& recent, int capacity) {
  SettingsStore s;
  ResetSettings(s, false);
  s.SetText("File", "Recent Out Folders", recent);
  s.SetInt("Advanced", "Out Folders Number", capacity);
  return s;
}

std::string Join(const std::vector<std::string>& parts) {
  std::string out;
  for (const std::string& p : parts) out += (out.empty() ? "" : "\t") + p;
  return out;
}

TEST(RecentOutputFolderEntry, TrimsFieldsAndGivesEmptyPastTheEnd) {
  SettingsStore s = StoreWith(" /a/ \t\t/b/  ", 5);
  EXPECT_EQ(RecentOutputFolderEntry(s, 0), "/a/");
  EXPECT_EQ(RecentOutputFolderEntry(s, 1), "");
  EXPECT_EQ(RecentOutputFolderEntry(s, 2), "/b/");
  EXPECT_EQ(RecentOutputFolderEntry(s, 3), "");
  EXPECT_EQ(RecentOutputFolderEntry(s, -1), "");
}

TEST(AddRecentOutputFolder, MovesToFrontDropsDuplicateAndKeepsCapacity) {
  struct Case {
    const char* name;
    std::vector<std::string> before;
    int capacity;
    std::string added;
    std::vector<std::string> after;
  };
  const std::vector<std::string> abcde = {"/A/", "/B/", "/C/", "/D/", "/E/"};
  const Case cases[] = {
      {"existing moves to front", abcde, 5, "/C/", {"/C/", "/A/", "/B/", "/D/", "/E/"}},
      {"new one drops the oldest", abcde, 5, "/F/", {"/F/", "/A/", "/B/", "/C/", "/D/"}},
      {"letter case does not matter", {"/x/", "/data/X/", "/y/"}, 5, "/DATA/x/",
       {"/DATA/x/", "/x/", "/y/"}},
      {"non-ASCII letters compare without case", {"/données/Été/"}, 5, "/DONNÉES/été/",
       {"/DONNÉES/été/"}},
      {"empty entries are skipped", {"/a/", "", "/b/"}, 5, "/c/", {"/c/", "/a/", "/b/"}},
      {"only the first N old entries are read", {"/a/", "/b/", "/c/", "/d/"}, 2, "/n/",
       {"/n/", "/a/"}},
      {"capacity 1", abcde, 1, "/F/", {"/F/"}},
      {"capacity below 1 keeps the new folder", abcde, 0, "/F/", {"/F/"}},
      {"hand-made duplicates stay", {"/a/", "/b/", "/a/"}, 5, "/c/", {"/c/", "/a/", "/b/", "/a/"}},
      {"empty list", {}, 5, "/a/", {"/a/"}},
  };
  for (const Case& c : cases) {
    SettingsStore s = StoreWith(Join(c.before), c.capacity);
    EXPECT_TRUE(AddRecentOutputFolder(s, c.added)) << c.name;
    EXPECT_EQ(s.Text("File", "Recent Out Folders"), Join(c.after)) << c.name;
  }
}

TEST(AddRecentOutputFolder, RefusesAnEmptyFolder) {
  SettingsStore s = StoreWith("/a/\t/b/", 5);
  EXPECT_FALSE(AddRecentOutputFolder(s, ""));
  EXPECT_EQ(s.Text("File", "Recent Out Folders"), "/a/\t/b/");
}

TEST(SameFolder, ComparesWithoutCaseButNeverMergesDifferentTexts) {
  EXPECT_TRUE(SameFolder("/tmp/Out/", "/TMP/out/"));
  EXPECT_FALSE(SameFolder("/tmp/out/", "/tmp/out"));
  // Two different texts with one CRC-32 ("plumless" / "buckeroo" is a known pair).
  ASSERT_EQ(FolderChecksum("PLUMLESS"), FolderChecksum("BUCKEROO"));
  EXPECT_FALSE(SameFolder("plumless", "buckeroo"));
}

class RebuildList : public ::testing::Test {
 protected:
  std::vector<std::string> Items() const {
    std::vector<std::string> items;
    for (int i = 0; i < list.count(); ++i) items.push_back(list.itemText(i).toStdString());
    return items;
  }
  QApplication& app = fixture::TestApplication();  // before the widget
  QComboBox list;
};

TEST_F(RebuildList, EmptyHistoryLeavesTheListAsItIs) {
  list.addItem(QString());
  SettingsStore s = StoreWith("", 5);
  RebuildOutputFolderList(list, s, "/x/", QIcon());
  EXPECT_EQ(Items(), std::vector<std::string>{""});
}

TEST_F(RebuildList, FillsUpToCapacityAndSelectsTheCurrentFolderExactly) {
  SettingsStore s = StoreWith("/a/\t\t/b/\t/c/\t/d/", 3);
  RebuildOutputFolderList(list, s, "/b/", QIcon());
  EXPECT_EQ(Items(), (std::vector<std::string>{"/a/", "/b/"}));  // entries 0..2, one empty
  EXPECT_EQ(list.currentText(), "/b/");

  RebuildOutputFolderList(list, s, "/B/", QIcon());  // case matters here
  EXPECT_EQ(list.currentIndex(), 0);
  RebuildOutputFolderList(list, s, "/zzz/", QIcon());
  EXPECT_EQ(list.currentIndex(), 0);
}

}  // namespace
}  // namespace rondix
