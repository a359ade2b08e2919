// Paths of the running program.
#pragma once
#include <string>

namespace rondix {

// Folder of the running executable, ending with "/".
std::string ProgramFolder();

// Full path of the running executable.
std::string ProgramPath();

}  // namespace rondix
