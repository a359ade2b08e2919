// Writing a small ZIP archive of named byte strings with libarchive; the theme builder and
// the theme tests make theme archives with it.
#pragma once
#include <string>
#include <vector>

namespace rondix {

struct ZipItem {
  std::string name;
  std::string data;
};

// Writes `items` in order, deflated, with a fixed time stamp so equal input gives an equal
// archive. False when the file cannot be written.
bool WriteZip(const std::string& path, const std::vector<ZipItem>& items);

}  // namespace rondix
