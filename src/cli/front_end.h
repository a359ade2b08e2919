// The command-line front end: the first-parameter commands (help, version, uninstall
// prompt, screenshot mode), the option loop, the report of a bad option, and the console
// run with its banner and pause. Whatever it cannot finish on its own (the desktop, the
// uninstall prompt, the screenshot mode) it hands back to the caller.
#pragma once
#include <string>
#include <vector>

#include "cli/console_io.h"
#include "cli/parameters.h"
#include "core/project.h"
#include "core/settings.h"

namespace rondix {

enum class FrontEndNext {
  Exit,             // done; end the process with `exitStatus`
  Desktop,          // start the desktop application
  UninstallPrompt,  // "-U"
  ScreenshotMode,   // "-T FOLDER"; the mode marker is already "T"
};

struct FrontEndOutcome {
  FrontEndNext next = FrontEndNext::Exit;
  int exitStatus = 0;
  std::string screenshotFolder;  // ScreenshotMode only
};

struct FrontEndContext {
  SettingsStore& settings;
  Project& project;
  const ConsoleIo& console;
  std::string programName;  // shown in the help: the running program, no folder or extension
};

FrontEndOutcome CommandLineFrontEnd(Parameters params, FrontEndContext& ctx);

// The banner printed before a console run unless it is quiet: title, the maker's notice
// with "(c)", the maker's site and a line of one blank.
std::vector<std::string> BannerLines();

}  // namespace rondix
