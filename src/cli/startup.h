// Start-up up to the desktop: the process-wide records, the single-instance lock named by
// the title text, and the command-line front end.
#pragma once
#include <cstdio>

#include "cli/console_io.h"
#include "cli/front_end.h"
#include "cli/parameters.h"
#include "core/project.h"
#include "core/settings.h"
#include "platform/instance_lock.h"

namespace rondix {

// The records that live for the whole process. The desktop reads the settings file into
// `settings` and resets `project` itself, so nothing the command line set reaches it.
struct Process {
  SettingsStore settings;
  Project project;
  InstanceLock lock;  // held until the process ends
};

// Takes the lock before any parameter is looked at; when another instance holds it (or it
// cannot be taken) writes one line to `errors` and ends with status 3. Otherwise runs the
// front end and returns what it decided.
FrontEndOutcome StartUp(Parameters params, Process& process, const ConsoleIo& console,
                        std::FILE* errors = stderr);

}  // namespace rondix
