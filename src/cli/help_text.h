// The console help: 36 lines, with the program's name and an input extension filled in.
#pragma once
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace rondix {

// The lines as written, with "%s1%" (program name) and "%s2%" (input extension).
std::span<const std::string_view> HelpTemplate();

// The help lines for a program called `programName` ("rondix") reading `inputExtension`.
std::vector<std::string> HelpLines(std::string_view programName, std::string_view inputExtension);

// File name of the running program without folder and extension.
std::string RunningProgramName();

}  // namespace rondix
