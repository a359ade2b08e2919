#include <string>
#include <vector>

#include "cli/console_io.h"
#include "cli/startup.h"
#include "platform/console.h"
#include "ui/desktop_start.h"

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
      rondix::PrintLine(stderr, "rondix: the uninstall prompt is not built yet.");
      return 0;
    case rondix::FrontEndNext::ScreenshotMode:
      rondix::PrintLine(stderr, "rondix: the screenshot mode is not built yet.");
      return 0;
  }
  return 0;
}
