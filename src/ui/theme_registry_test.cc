#include "ui/theme_registry.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <fstream>

#include "support/tga_writer.h"
#include "ui/zip_writer.h"

namespace rondix {
namespace {

std::string ThemeCfg(const std::string& name) { return "[Theme]\r\nName=" + name + "\r\n"; }

TEST(DiscoverThemes, ListsZipFilesByKeyWithTheirDisplayNames) {
  fixture::ScratchFolder folder;
  const std::string gfx = folder.path() + "/";
  ASSERT_TRUE(WriteZip(gfx + "b.zip", {{"theme.cfg", ThemeCfg("Bee")}}));
  ASSERT_TRUE(WriteZip(gfx + "A.zip", {{"theme.cfg", ThemeCfg("Aye")}}));
  ASSERT_TRUE(WriteZip(gfx + "c.d.zip", {{"theme.cfg", ThemeCfg("Dotted")}}));
  ASSERT_TRUE(WriteZip(gfx + "nocfg.zip", {{"new_16.png", "x"}}));
  // The name may sit anywhere in a long descriptor.
  ASSERT_TRUE(WriteZip(gfx + "long.zip", {{"theme.cfg", "[Icons]\r\n" + std::string(400, ';') +
                                                            "\r\n" + ThemeCfg("Long")}}));
  std::ofstream(gfx + "empty.zip").close();
  std::ofstream(gfx + "junk.zip") << "not a zip";
  std::ofstream(gfx + "readme.txt") << "no theme";
  std::ofstream(gfx + ".zip") << "no key";
  ASSERT_EQ(mkdir((gfx + "folder.zip").c_str(), 0755), 0);

  const ThemeRegistry registry = DiscoverThemes(gfx);
  std::vector<std::pair<std::string, std::string>> got;
  for (const ThemeEntry& e : registry) got.emplace_back(e.key, e.name);
  const std::vector<std::pair<std::string, std::string>> want = {
      {"A", "Aye"}, {"b", "Bee"},     {"c.d", "Dotted"}, {"empty", ""},
      {"junk", ""}, {"long", "Long"}, {"nocfg", ""}};
  EXPECT_EQ(got, want);

  std::vector<std::string> listed;
  for (const ThemeEntry& e : ListedThemes(registry)) listed.push_back(e.key);
  EXPECT_EQ(listed, (std::vector<std::string>{"A", "b", "c.d", "long"}));
}

TEST(DiscoverThemes, MissingFolderGivesNoThemes) {
  EXPECT_TRUE(DiscoverThemes("/nonexistent/rondix/gfx/").empty());
}

TEST(ThemePaths, ArchiveSitsInTheGfxFolder) {
  EXPECT_EQ(ThemeFolder("/opt/rondix/"), "/opt/rondix/gfx/");
  EXPECT_EQ(ThemeArchivePath("/opt/rondix/gfx/", "handdrawn"), "/opt/rondix/gfx/handdrawn.zip");
}

}  // namespace
}  // namespace rondix
