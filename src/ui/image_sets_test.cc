#include "ui/image_sets.h"

#include <gtest/gtest.h>

#include <set>

#include "ui/icon_art.h"
#include "ui/image_names.h"

namespace rondix {
namespace {

// Opaque ink somewhere, and the picture is not one flat colour.
bool LooksDrawn(const QImage& image) {
  int opaque = 0;
  std::set<QRgb> colours;
  for (int y = 0; y < image.height(); ++y) {
    for (int x = 0; x < image.width(); ++x) {
      const QRgb p = image.pixel(x, y);
      if (qAlpha(p) == 255) ++opaque;
      colours.insert(p);
    }
  }
  return opaque >= image.width() * image.height() / 8 && colours.size() > 3;
}

TEST(ToolbarIconPixels, FollowsUiSize) {
  const std::pair<int, int> cases[] = {{0, 16}, {1, 24}, {2, 32},  {3, 48},
                                       {4, 64}, {5, 16}, {-1, 16}, {1000, 16}};
  for (auto [uiSize, pixels] : cases) EXPECT_EQ(ToolbarIconPixels(uiSize), pixels) << uiSize;
}

TEST(BuiltInImages, EveryNameHasAPictureAtEverySize) {
  for (int uiSize = 0; uiSize <= 4; ++uiSize) {
    const int toolbar = ToolbarIconPixels(uiSize);
    ImageSets sets;
    LoadBuiltInImages(sets, toolbar);
    ASSERT_EQ(sets.ButtonImages.size(), kButtonImageNames.size());
    ASSERT_EQ(sets.MenuIcons.size(), kIconNames.size());
    ASSERT_EQ(sets.ToolbarIcons.size(), kIconNames.size());
    for (std::string_view name : kButtonImageNames) {
      const QImage image = ButtonImage(sets, name);
      EXPECT_EQ(image.size(), QSize(64, 64)) << name;
      EXPECT_TRUE(LooksDrawn(image)) << name;
    }
    for (std::string_view name : kIconNames) {
      const QImage menu = MenuIcon(sets, name);
      const QImage tool = ToolbarIcon(sets, name);
      EXPECT_EQ(menu.size(), QSize(16, 16)) << name;
      EXPECT_EQ(tool.size(), QSize(toolbar, toolbar)) << name;
      EXPECT_TRUE(LooksDrawn(menu)) << name;
      EXPECT_TRUE(LooksDrawn(tool)) << name << " at " << toolbar;
      EXPECT_TRUE(sets.MenuIcons.at(std::string(name)).builtIn);
    }
  }
}

TEST(BuiltInImages, IconsAreDistinctAndRepeatable) {
  std::set<QByteArray> seen;
  for (std::string_view name : kIconNames) {
    const QImage image = DrawIcon(name, 24);
    EXPECT_EQ(image, DrawIcon(name, 24)) << name;
    const QByteArray bytes(reinterpret_cast<const char*>(image.constBits()), image.sizeInBytes());
    EXPECT_TRUE(seen.insert(bytes).second) << name << " looks like another icon";
  }
  EXPECT_TRUE(DrawIcon("NoSuchIcon", 16).isNull());
  EXPECT_TRUE(DrawIcon("New", 4).isNull());
  EXPECT_TRUE(DrawButtonImage("New").isNull());
}

TEST(BuiltInImages, ToolbarResizeRedrawsOnlyBuiltInPictures) {
  ImageSets sets;
  LoadBuiltInImages(sets, 16);
  QImage themed(20, 20, QImage::Format_ARGB32);
  themed.fill(Qt::red);
  sets.ToolbarIcons["Add"] = Picture{themed, false};

  ResizeBuiltInToolbarIcons(sets.ToolbarIcons, 48);
  EXPECT_EQ(ToolbarIcon(sets, "New").size(), QSize(48, 48));
  EXPECT_EQ(ToolbarIcon(sets, "New"), DrawIcon("New", 48));
  EXPECT_EQ(ToolbarIcon(sets, "Add"), themed);
  EXPECT_TRUE(ToolbarIcon(sets, "Nothing").isNull());
}

}  // namespace
}  // namespace rondix
