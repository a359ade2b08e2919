// The console conversion of one file: checks what the run needs (printing the debug
// listing in debug mode), imports the file, runs the worker on its own thread, and prints
// the outcome. Every failed check prints one error line, quiet or not, and ends the run.
#pragma once
#include "cli/console_io.h"
#include "core/project.h"
#include "core/settings.h"
#include "storage/string_table.h"

namespace rondix {

struct ConsoleRunContext {
  SettingsStore& settings;
  Project& project;
  const StringTable& strings;
  const ConsoleIo& console;
};

// Returns the exit status: 0 when every file was written, 1 when a check failed, no file
// could be imported or a file was not converted.
int RunCommandLineConversion(bool quiet, ConsoleRunContext& ctx);

// The folder of the input file, ending with "/". A relative input path is taken from
// `workingFolder`, so the output lands beside the source wherever the program lives.
std::string InputFileFolder(const std::string& inputFile, const std::string& workingFolder);

// A relative output folder (one not beginning with "/"), without a leading "./", is taken
// inside the program folder; a "/" is appended when missing.
std::string ResolveOutputFolder(std::string folder, const std::string& programFolder);

}  // namespace rondix
