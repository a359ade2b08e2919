// Loading the pictures of the selected theme ("UI Theme") into the image sets, at the
// toolbar size of "UI Size". A name the theme does not supply keeps its current picture:
// the built-in one, or that of a theme loaded before.
#pragma once
#include <string>

#include "core/settings.h"
#include "ui/image_sets.h"
#include "ui/theme_registry.h"

namespace rondix {

// Which sets to load; start-up and a theme change load all three, an icon size change only
// the toolbar.
enum ThemeImageSet : unsigned {
  kThemeButtonImages = 1,
  kThemeMenuIcons = 2,
  kThemeToolbarIcons = 4,
  kThemeAllImages = 7,
};

// Theme pictures with a larger side are ignored (they are icons, and a tiny PNG can claim
// a huge size).
inline constexpr int kMaxThemePictureSide = 1024;

struct ThemeLoadResult {
  bool archiveRead = false;  // the theme's archive was found and could be read
  int replaced = 0;          // pictures taken from it
};

// Loads the `which` sets from the archive of "UI Theme" in `themeFolder`. When that archive
// is missing and `registry` is not empty, "UI Theme" becomes the first registry key first.
// Built-in toolbar icons are redrawn at the "UI Size" first when the toolbar is loaded, so
// they follow the size whether or not a theme supplies them. Never fails loudly: a missing,
// empty or unreadable archive leaves every picture as it was.
ThemeLoadResult LoadThemeImages(ImageSets& sets, SettingsStore& settings,
                                const ThemeRegistry& registry, const std::string& themeFolder,
                                unsigned which);

}  // namespace rondix
