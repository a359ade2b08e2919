// The themes found in the "gfx/" folder beside the program: one ZIP archive each, its key
// the file name without ".zip", its display name from the archive's "theme.cfg".
#pragma once
#include <string>
#include <vector>

namespace rondix {

struct ThemeEntry {
  std::string key;   // file name without ".zip"
  std::string name;  // "Name" of group "Theme"; empty when unreadable or missing
};

// Sorted by key ignoring case (exact bytes break ties); the first entry is the theme used
// when the configured one is missing.
using ThemeRegistry = std::vector<ThemeEntry>;

// The themes folder for a program folder ending with "/": that folder's "gfx/".
std::string ThemeFolder(const std::string& programFolder);

// The archive of theme `key` in `themeFolder`.
std::string ThemeArchivePath(const std::string& themeFolder, const std::string& key);

// Lists the "*.zip" files of `themeFolder` (directories and a file named only ".zip" are
// skipped) and reads each one's display name. No folder: empty registry.
ThemeRegistry DiscoverThemes(const std::string& themeFolder);

// The entries a theme list offers, in registry order: themes with a display name.
std::vector<ThemeEntry> ListedThemes(const ThemeRegistry& registry);

}  // namespace rondix
