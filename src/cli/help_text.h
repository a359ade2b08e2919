// The console help: 36 lines, with the program's name and an input extension filled in.
#pragma once
#include <string>
#include <string_view>
#include <vector>

namespace rondix {

// The help lines for a program called `programName` ("rondix") reading `inputExtension`.
std::vector<std::string> HelpLines(std::string_view programName, std::string_view inputExtension);

// File name of the running program without folder and extension.
std::string RunningProgramName();

}  // namespace rondix
