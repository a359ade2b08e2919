// The desktop application from the settings file to the end of its event loop: settings,
// texts, theme pictures, the main window, and what is kept when it closes.
#pragma once
#include <optional>

#include "cli/startup.h"
#include "core/settings.h"

namespace rondix {

// True when the toolkit has somewhere to show windows: a platform named in QT_QPA_PLATFORM,
// or an X11 or Wayland display. Without one the toolkit would abort the process.
bool DisplayAvailable();

// Creates the application object and runs the desktop session. Returns the exit status.
int RunDesktop(Process& process, int argc, char** argv);

// The session itself, for an application object that exists already: reads config.ini
// (defaults when it is missing, unreadable or damaged), builds the main window, runs the
// event loop until the window closes, stores the window geometry, clears the recent output
// folders when their history is off, writes config.ini and releases the instance lock.
int RunDesktopSession(Process& process);

// The primary screen's size, for the default window position; none without a screen.
std::optional<DesktopSize> PrimaryDesktopSize();

}  // namespace rondix
