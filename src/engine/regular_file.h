// Opening input files for reading without blocking on things that are not files.
#pragma once
#include <cstdio>
#include <string>

namespace rondix {

// The file opened "rb", or nullptr when it cannot be opened or is not a regular file (a
// named pipe would otherwise block the open until someone writes to it).
std::FILE* OpenRegularFile(const std::string& path);

}  // namespace rondix
