#include "platform/paths.h"

#include <unistd.h>

#include <vector>

namespace rondix {

std::string ProgramPath() {
  std::vector<char> buf(4096);
  ssize_t n = readlink("/proc/self/exe", buf.data(), buf.size() - 1);
  if (n <= 0) return {};
  return std::string(buf.data(), static_cast<size_t>(n));
}

std::string ProgramFolder() {
  std::string path = ProgramPath();
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return "./";
  return path.substr(0, slash + 1);
}

}  // namespace rondix
