// The three picture sets of the interface, looked up by name: ButtonImages (the large
// Convert button picture), MenuIcons (16-pixel icons of menus, lists and field buttons) and
// ToolbarIcons (main toolbar, sized by "UI Size"). Built-in pictures fill them first; a
// theme replaces them name by name (ui/theme_loader.h).
#pragma once
#include <QImage>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace rondix {

struct Picture {
  QImage image;
  bool builtIn = true;  // false once a theme has supplied this name
};

using ImageSet = std::map<std::string, Picture, std::less<>>;

struct ImageSets {
  ImageSet ButtonImages;
  ImageSet MenuIcons;
  ImageSet ToolbarIcons;
};

// Toolbar icon square for a "UI Size" value: 0 16, 1 24, 2 32, 3 48, 4 64, otherwise 16.
int ToolbarIconPixels(int uiSize);

// Fills every set with the built-in pictures: the 64-pixel button pictures, 16-pixel menu
// icons, and toolbar icons drawn at `toolbarPixels`. Any theme pictures are discarded.
void LoadBuiltInImages(ImageSets& sets, int toolbarPixels);

// Redraws at `toolbarPixels` the toolbar icons that are still the built-in ones; pictures
// a theme supplied stay as they are.
void ResizeBuiltInToolbarIcons(ImageSet& toolbarIcons, int toolbarPixels);

// The picture of `name`, or a null image when the set has none.
QImage FindImage(const ImageSet& set, std::string_view name);
QImage ButtonImage(const ImageSets& sets, std::string_view name);
QImage MenuIcon(const ImageSets& sets, std::string_view name);
QImage ToolbarIcon(const ImageSets& sets, std::string_view name);

}  // namespace rondix
