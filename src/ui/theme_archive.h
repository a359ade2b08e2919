// Reading a theme's ZIP archive (libarchive) into memory, within fixed limits so that a
// damaged or hostile archive costs little and never takes the program down.
#pragma once
#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <string_view>

namespace rondix {

struct ThemeArchiveLimits {
  uint64_t archiveBytes = 32u << 20;  // larger files are not opened
  uint64_t entryBytes = 1u << 20;     // larger entries are left out
  uint64_t totalBytes = 16u << 20;    // more data kept in all makes the archive unreadable
  int entries = 1024;                 // more entries make the archive unreadable
};

struct ThemeArchive {
  bool readable = false;
  // Regular entries by exact name, with their uncompressed bytes. Empty entries, entries
  // over the size limit and entries whose data fails to decompress are left out; of two
  // entries with one name the first counts.
  std::map<std::string, std::string, std::less<>> entries;
};

// Reads the ZIP archive at `path`, keeping the entries whose name `keep` accepts (every
// entry when `keep` is empty). Not readable when the file is missing, too large, not a ZIP
// archive with an intact central directory, over the entry limits, or damaged beyond its
// entries' data; then no entry is kept at all.
ThemeArchive ReadThemeArchive(const std::string& path,
                              const std::function<bool(std::string_view name)>& keep,
                              const ThemeArchiveLimits& limits = {});

}  // namespace rondix
