// Profile files: group-and-key files (the config.ini format) whose "CLI" group holds
// long option names as keys, applied in file order as if given on the command line.
#pragma once
#include <string>

#include "core/settings.h"

namespace rondix {

// Applies every known option key of the file's "CLI" group in file order. Flags are set
// whatever their value; other values (trimmed by the reader) are parsed by the option's
// kind without an emptiness check; only the filename mask loses surrounding quotes. False
// when the path is empty or the file cannot be read; a file without the group is fine.
bool LoadProfile(const std::string& path, SettingsStore& settings);

}  // namespace rondix
