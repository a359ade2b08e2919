#include <string>
#include <vector>

#include "cli/console_io.h"
#include "cli/startup.h"
#include "platform/console.h"
#include "ui/desktop_start.h"
#include "ui/screenshot_mode.h"
#include "ui/uninstall_prompt.h"

int main(int argc, char** argv) {
  const std::vector<std::string> params(argv + 1, argv + argc);
  rondix::Process process;
  const rondix::ConsoleIo console = rondix::StandardConsole();
  rondix::FrontEndOutcome outcome = rondix::StartUp(params, process, console);

  switch (outcome.next) {
    case rondix::FrontEndNext::Exit:
      return outcome.exitStatus;
    case rondix::FrontEndNext::Desktop:
      if (!rondix::DisplayAvailable()) {
        rondix::PrintLine(stderr, "rondix: no display to show the window on; give an input file "
                                  "with -i to convert from the command line.");
        return 0;
      }
      return rondix::RunDesktop(process, argc, argv);
    case rondix::FrontEndNext::UninstallPrompt:
      if (!rondix::DisplayAvailable()) {
        rondix::PrintLine(stderr, "rondix: no display to show the uninstall prompt on.");
        return 0;
      }
      return rondix::RunUninstallPrompt(argc, argv);
    case rondix::FrontEndNext::ScreenshotMode:
      return rondix::RunScreenshotMode(process, outcome.screenshotFolder, argc, argv);
  }
  return 0;
}
