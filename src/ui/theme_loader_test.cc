#include "ui/theme_loader.h"

#include <gtest/gtest.h>

#include <QBuffer>
#include <QByteArray>
#include <algorithm>
#include <fstream>
#include <iterator>

#include "support/tga_writer.h"
#include "ui/handdrawn_theme.h"
#include "ui/icon_art.h"
#include "ui/image_names.h"
#include "ui/theme_archive.h"
#include "ui/zip_writer.h"

namespace rondix {
namespace {

std::string SolidPng(QColor colour, int side) {
  QImage image(side, side, QImage::Format_ARGB32);
  image.fill(colour);
  QByteArray bytes;
  QBuffer buffer(&bytes);
  buffer.open(QIODevice::WriteOnly);
  image.save(&buffer, "PNG");
  return {bytes.constData(), static_cast<size_t>(bytes.size())};
}

bool IsSolid(const QImage& image, QColor colour, int side) {
  return image.size() == QSize(side, side) && image.pixel(side / 2, side / 2) == colour.rgba();
}

class ThemeLoaderTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetSettings(settings_, false);
    gfx_ = folder_.path() + "/";
    LoadBuiltInImages(sets_, ToolbarIconPixels(settings_.Int("Interface", "UI Size")));
  }

  void Theme(const std::string& key, std::vector<ZipItem> items) {
    ASSERT_TRUE(WriteZip(gfx_ + key + ".zip", items));
  }

  ThemeLoadResult Load(const std::string& key, int uiSize, unsigned which = kThemeAllImages) {
    settings_.SetText("Interface", "UI Theme", key);
    settings_.SetInt("Interface", "UI Size", uiSize);
    return LoadThemeImages(sets_, settings_, DiscoverThemes(gfx_), gfx_, which);
  }

  // Every picture is still the built-in one at the current sizes.
  void ExpectAllBuiltIn(const std::string& what) {
    ImageSets fresh;
    LoadBuiltInImages(fresh, ToolbarIconPixels(settings_.Int("Interface", "UI Size")));
    for (std::string_view name : kButtonImageNames)
      EXPECT_EQ(ButtonImage(sets_, name), ButtonImage(fresh, name)) << what << " " << name;
    for (std::string_view name : kIconNames) {
      EXPECT_EQ(MenuIcon(sets_, name), MenuIcon(fresh, name)) << what << " " << name;
      EXPECT_EQ(ToolbarIcon(sets_, name), ToolbarIcon(fresh, name)) << what << " " << name;
    }
  }

  fixture::ScratchFolder folder_;
  std::string gfx_;
  SettingsStore settings_;
  ImageSets sets_;
};

TEST_F(ThemeLoaderTest, BaseNamePicksTheEntryOfEachSetsSize) {
  Theme("t", {{"theme.cfg", "[Theme]\r\nName=T\r\n[Icons]\r\nNew=new\r\n"},
              {"new_16.png", SolidPng(Qt::red, 16)},
              {"new_32.png", SolidPng(Qt::blue, 32)}});
  const ThemeLoadResult result = Load("t", 2);
  EXPECT_TRUE(result.archiveRead);
  EXPECT_EQ(result.replaced, 2);
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "New"), Qt::red, 16));
  EXPECT_TRUE(IsSolid(ToolbarIcon(sets_, "New"), Qt::blue, 32));
  EXPECT_FALSE(sets_.ToolbarIcons.at("New").builtIn);
  EXPECT_EQ(MenuIcon(sets_, "Add"), DrawIcon("Add", 16));
  EXPECT_EQ(ToolbarIcon(sets_, "Add"), DrawIcon("Add", 32));

  // Medium toolbar: no new_24.png, so the 32-pixel theme picture stays.
  EXPECT_EQ(Load("t", 1, kThemeToolbarIcons).replaced, 0);
  EXPECT_TRUE(IsSolid(ToolbarIcon(sets_, "New"), Qt::blue, 32));
  EXPECT_EQ(ToolbarIcon(sets_, "Add"), DrawIcon("Add", 24));  // built-in follows the size
}

TEST_F(ThemeLoaderTest, PngValueNamesOneEntryForEverySize) {
  Theme("t",
        {{"theme.cfg", "[Buttons]\r\nConvert=Big.png\r\n[Icons]\r\nNew=new.PNG\r\nAdd = add \r\n"},
         {"new.PNG", SolidPng(Qt::green, 20)},
         {"Big.png", SolidPng(Qt::yellow, 64)},
         {"add_16.png", SolidPng(Qt::cyan, 16)},
         {"add_48.png", SolidPng(Qt::magenta, 48)}});
  EXPECT_EQ(Load("t", 3).replaced, 5);
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "New"), Qt::green, 20));
  EXPECT_TRUE(IsSolid(ToolbarIcon(sets_, "New"), Qt::green, 20));
  EXPECT_TRUE(IsSolid(ButtonImage(sets_, "Convert"), Qt::yellow, 64));
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "Add"), Qt::cyan, 16));
  EXPECT_TRUE(IsSolid(ToolbarIcon(sets_, "Add"), Qt::magenta, 48));
}

TEST_F(ThemeLoaderTest, LongerKeyPlacedFirstAnswersForTheShorterOne) {
  Theme("t", {{"theme.cfg", "[Icons]\r\nNewX=foo\r\nNew=bar\r\n"},
              {"foo_16.png", SolidPng(Qt::red, 16)},
              {"bar_16.png", SolidPng(Qt::blue, 16)}});
  Load("t", 0);
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "New"), Qt::red, 16));
  EXPECT_TRUE(IsSolid(ToolbarIcon(sets_, "New"), Qt::red, 16));
}

TEST_F(ThemeLoaderTest, OnlyTheRequestedSetsChange) {
  Theme("t", {{"theme.cfg", "[Buttons]\r\nConvert=c.png\r\n[Icons]\r\nNew=n\r\n"},
              {"c.png", SolidPng(Qt::red, 64)},
              {"n_16.png", SolidPng(Qt::blue, 16)},
              {"n_64.png", SolidPng(Qt::green, 64)}});
  EXPECT_EQ(Load("t", 4, kThemeToolbarIcons).replaced, 1);
  EXPECT_TRUE(IsSolid(ToolbarIcon(sets_, "New"), Qt::green, 64));
  EXPECT_EQ(MenuIcon(sets_, "New"), DrawIcon("New", 16));
  EXPECT_EQ(ButtonImage(sets_, "Convert"), DrawButtonImage("Convert"));

  EXPECT_EQ(Load("t", 4, kThemeButtonImages | kThemeMenuIcons).replaced, 2);
  EXPECT_TRUE(IsSolid(ButtonImage(sets_, "Convert"), Qt::red, 64));
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "New"), Qt::blue, 16));
}

TEST_F(ThemeLoaderTest, SwitchingThemesKeepsPicturesTheNewOneLacks) {
  Theme("first", {{"theme.cfg", "[Icons]\r\nNew=n\r\nAdd=a\r\n"},
                  {"n_16.png", SolidPng(Qt::red, 16)},
                  {"a_16.png", SolidPng(Qt::red, 16)}});
  Theme("second", {{"theme.cfg", "[Icons]\r\nAdd=a\r\n"}, {"a_16.png", SolidPng(Qt::blue, 16)}});
  Load("first", 0);
  Load("second", 0);
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "New"), Qt::red, 16));
  EXPECT_TRUE(IsSolid(MenuIcon(sets_, "Add"), Qt::blue, 16));
  EXPECT_EQ(settings_.Text("Interface", "UI Theme"), "second");
}

TEST_F(ThemeLoaderTest, MissingThemeFallsBackToTheFirstDiscovered) {
  Theme("beta", {{"theme.cfg", "[Icons]\r\nNew=n\r\n"}, {"n_16.png", SolidPng(Qt::blue, 16)}});
  Theme("Alpha", {{"theme.cfg", "[Icons]\r\nNew=n\r\n"}, {"n_16.png", SolidPng(Qt::red, 16)}});
  for (const char* configured : {"gone", "", "../gfx/beta"}) {
    LoadBuiltInImages(sets_, 16);
    EXPECT_TRUE(Load(configured, 0).archiveRead) << configured;
    EXPECT_EQ(settings_.Text("Interface", "UI Theme"), "Alpha") << configured;
    EXPECT_TRUE(IsSolid(MenuIcon(sets_, "New"), Qt::red, 16)) << configured;
  }
}

TEST_F(ThemeLoaderTest, NoThemesKeepsBuiltInsAndTheSetting) {
  const ThemeLoadResult result = Load("handdrawn", 2);
  EXPECT_FALSE(result.archiveRead);
  EXPECT_EQ(settings_.Text("Interface", "UI Theme"), "handdrawn");
  ExpectAllBuiltIn("no themes");
  // The toolbar still follows a new size.
  Load("handdrawn", 3, kThemeToolbarIcons);
  EXPECT_EQ(ToolbarIcon(sets_, "Web"), DrawIcon("Web", 48));
}

TEST_F(ThemeLoaderTest, EmptyArchiveCountsAsMissingButKeepsTheSetting) {
  Theme("good", {{"theme.cfg", "[Icons]\r\nNew=n\r\n"}, {"n_16.png", SolidPng(Qt::red, 16)}});
  std::ofstream(gfx_ + "empty.zip").close();
  EXPECT_FALSE(Load("empty", 0).archiveRead);
  EXPECT_EQ(settings_.Text("Interface", "UI Theme"), "empty");
  ExpectAllBuiltIn("empty archive");
}

TEST_F(ThemeLoaderTest, BrokenThemesLeaveEveryPictureAsItWas) {
  const std::string cfg = "[Buttons]\r\nConvert=n\r\n[Icons]\r\nNew=n\r\nAdd=a\r\n";
  const std::string red16 = SolidPng(Qt::red, 16);
  std::string truncatedPng = red16.substr(0, red16.size() / 2);

  struct Broken {
    const char* key;
    std::vector<ZipItem> items;
  };
  const std::vector<Broken> broken = {
      {"nocfg", {{"n_16.png", red16}, {"a_16.png", red16}}},
      {"nogroups", {{"theme.cfg", "New=n\r\nAdd=a\r\n"}, {"n_16.png", red16}}},
      {"emptycfg", {{"theme.cfg", ""}, {"n_16.png", red16}}},
      {"noentries", {{"theme.cfg", cfg}}},
      {"wrongsize", {{"theme.cfg", cfg}, {"n_32.png", red16}, {"a_64.png", red16}}},
      {"emptyentries", {{"theme.cfg", cfg}, {"n_16.png", ""}, {"a_16.png", ""}}},
      {"notpng", {{"theme.cfg", cfg}, {"n_16.png", "GIF89a nonsense"}, {"a_16.png", "x"}}},
      {"cutpng", {{"theme.cfg", cfg}, {"n_16.png", truncatedPng}}},
      {"hugepng", {{"theme.cfg", cfg}, {"n_16.png", SolidPng(Qt::red, 2000)}}},
      {"oversized", {{"theme.cfg", cfg}, {"n_16.png", red16 + std::string(2u << 20, '\0')}}},
      {"nul", {{"theme.cfg", std::string("[Icons]\r\n\0New=n\r\n", 17)}, {"n_16.png", red16}}},
  };
  for (const Broken& b : broken) Theme(b.key, b.items);

  std::vector<ZipItem> many;
  for (int i = 0; i < 1100; ++i) many.push_back({"x" + std::to_string(i), "x"});
  many.push_back({"theme.cfg", cfg});
  many.push_back({"n_16.png", red16});
  Theme("many", many);

  std::string zip;
  {
    Theme("whole", {{"theme.cfg", cfg}, {"n_16.png", red16}});
    std::ifstream in(gfx_ + "whole.zip", std::ios::binary);
    zip.assign(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
  }
  // Cut inside the picture's data, the second entry.
  const size_t second = zip.find(std::string("PK\x03\x04", 4), 4);
  ASSERT_NE(second, std::string::npos);
  std::ofstream(gfx_ + "cut.zip", std::ios::binary) << zip.substr(0, second + 50);
  std::ofstream(gfx_ + "text.zip", std::ios::binary) << "[Icons]\r\nNew=n\r\n";

  std::vector<std::string> keys = {"many", "cut", "text"};
  for (const Broken& b : broken) keys.push_back(b.key);
  for (const std::string& key : keys) {
    EXPECT_EQ(Load(key, 0).replaced, 0) << key;
    EXPECT_EQ(settings_.Text("Interface", "UI Theme"), key);
    ExpectAllBuiltIn(key);
  }
}

TEST(ShippedTheme, HandDrawnArchiveHoldsEveryPicture) {
  const std::string gfx = std::string(RONDIX_BINARY_DIR) + "/gfx/";
  const ThemeArchive archive =
      ReadThemeArchive(gfx + "handdrawn.zip", [](std::string_view) { return true; });
  ASSERT_TRUE(archive.readable) << "run the build first: " << gfx << "handdrawn.zip";
  const std::vector<ZipItem> items = HandDrawnThemeItems();
  ASSERT_EQ(archive.entries.size(), items.size());
  for (const ZipItem& item : items) {
    auto it = archive.entries.find(item.name);
    ASSERT_NE(it, archive.entries.end()) << item.name;
    EXPECT_TRUE(it->second == item.data) << item.name << " differs from the current artwork";
  }

  const ThemeRegistry registry = DiscoverThemes(gfx);
  auto entry = std::find_if(registry.begin(), registry.end(),
                            [](const ThemeEntry& e) { return e.key == kHandDrawnThemeKey; });
  ASSERT_NE(entry, registry.end());
  EXPECT_EQ(entry->name, kHandDrawnThemeName);

  SettingsStore settings;
  ResetSettings(settings, false);
  EXPECT_EQ(settings.Text("Interface", "UI Theme"), kHandDrawnThemeKey);
  for (int uiSize = 0; uiSize <= 4; ++uiSize) {
    const int pixels = ToolbarIconPixels(uiSize);
    settings.SetInt("Interface", "UI Size", uiSize);
    ImageSets sets;
    LoadBuiltInImages(sets, pixels);
    const ThemeLoadResult result = LoadThemeImages(sets, settings, registry, gfx, kThemeAllImages);
    EXPECT_EQ(result.replaced, static_cast<int>(kButtonImageNames.size() + 2 * kIconNames.size()));
    for (std::string_view name : kButtonImageNames) {
      EXPECT_FALSE(sets.ButtonImages.at(std::string(name)).builtIn);
      EXPECT_EQ(ButtonImage(sets, name).size(), QSize(64, 64));
    }
    for (std::string_view name : kIconNames) {
      EXPECT_FALSE(sets.MenuIcons.at(std::string(name)).builtIn) << name;
      EXPECT_FALSE(sets.ToolbarIcons.at(std::string(name)).builtIn) << name;
      EXPECT_EQ(MenuIcon(sets, name), DrawIcon(name, 16)) << name;
      EXPECT_EQ(ToolbarIcon(sets, name), DrawIcon(name, pixels)) << name << " " << pixels;
    }
  }
}

}  // namespace
}  // namespace rondix
