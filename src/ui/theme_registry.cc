#include "ui/theme_registry.h"

#include <dirent.h>
#include <sys/stat.h>

#include <algorithm>

#include "core/text.h"
#include "ui/theme_archive.h"
#include "ui/theme_descriptor.h"

namespace rondix {
namespace {

constexpr std::string_view kArchiveSuffix = ".zip";
constexpr std::string_view kDescriptorEntry = "theme.cfg";

// Display name from "theme.cfg"; an empty or unreadable archive has none.
std::string DisplayName(const std::string& path) {
  const ThemeArchive archive =
      ReadThemeArchive(path, [](std::string_view name) { return name == kDescriptorEntry; });
  auto it = archive.entries.find(kDescriptorEntry);
  if (it == archive.entries.end()) return {};
  // Single-byte text ends at a NUL.
  const std::string text = it->second.substr(0, it->second.find('\0'));
  return DescriptorValue(text, "Theme", "Name");
}

bool KeyBefore(const ThemeEntry& a, const ThemeEntry& b) {
  const std::string la = AsciiLower(a.key), lb = AsciiLower(b.key);
  return la != lb ? la < lb : a.key < b.key;
}

}  // namespace

std::string ThemeFolder(const std::string& programFolder) { return programFolder + "gfx/"; }

std::string ThemeArchivePath(const std::string& themeFolder, const std::string& key) {
  return themeFolder + key + std::string(kArchiveSuffix);
}

ThemeRegistry DiscoverThemes(const std::string& themeFolder) {
  ThemeRegistry registry;
  DIR* dir = opendir(themeFolder.c_str());
  if (!dir) return registry;
  while (const dirent* item = readdir(dir)) {
    const std::string file = item->d_name;
    if (file.size() <= kArchiveSuffix.size()) continue;  // ".zip" alone has no key
    if (file.compare(file.size() - kArchiveSuffix.size(), kArchiveSuffix.size(), kArchiveSuffix) !=
        0)
      continue;
    const std::string path = themeFolder + file;
    struct stat info {};
    if (stat(path.c_str(), &info) != 0 || !S_ISREG(info.st_mode)) continue;
    ThemeEntry entry;
    entry.key = file.substr(0, file.size() - kArchiveSuffix.size());
    if (info.st_size > 0) entry.name = DisplayName(path);
    registry.push_back(std::move(entry));
  }
  closedir(dir);
  std::sort(registry.begin(), registry.end(), KeyBefore);
  return registry;
}

std::vector<ThemeEntry> ListedThemes(const ThemeRegistry& registry) {
  std::vector<ThemeEntry> listed;
  for (const ThemeEntry& entry : registry) {
    if (!entry.name.empty()) listed.push_back(entry);
  }
  return listed;
}

}  // namespace rondix
