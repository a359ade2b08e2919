#include "ui/image_sets.h"

#include <array>

#include "ui/icon_art.h"
#include "ui/image_names.h"

namespace rondix {

int ToolbarIconPixels(int uiSize) {
  constexpr std::array<int, 5> kPixels = {16, 24, 32, 48, 64};
  if (uiSize < 0 || uiSize >= static_cast<int>(kPixels.size())) return kPixels[0];
  return kPixels[static_cast<size_t>(uiSize)];
}

void LoadBuiltInImages(ImageSets& sets, int toolbarPixels) {
  sets = ImageSets{};
  for (std::string_view name : kButtonImageNames)
    sets.ButtonImages[std::string(name)] = Picture{DrawButtonImage(name), true};
  for (std::string_view name : kIconNames) {
    sets.MenuIcons[std::string(name)] = Picture{DrawIcon(name, kMenuIconPixels), true};
    sets.ToolbarIcons[std::string(name)] = Picture{DrawIcon(name, toolbarPixels), true};
  }
}

void ResizeBuiltInToolbarIcons(ImageSet& toolbarIcons, int toolbarPixels) {
  for (auto& [name, picture] : toolbarIcons) {
    if (picture.builtIn && picture.image.width() != toolbarPixels)
      picture.image = DrawIcon(name, toolbarPixels);
  }
}

QImage FindImage(const ImageSet& set, std::string_view name) {
  auto it = set.find(name);
  return it == set.end() ? QImage() : it->second.image;
}

QImage ButtonImage(const ImageSets& sets, std::string_view name) {
  return FindImage(sets.ButtonImages, name);
}

QImage MenuIcon(const ImageSets& sets, std::string_view name) {
  return FindImage(sets.MenuIcons, name);
}

QImage ToolbarIcon(const ImageSets& sets, std::string_view name) {
  return FindImage(sets.ToolbarIcons, name);
}

}  // namespace rondix
