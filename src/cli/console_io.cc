#include "cli/console_io.h"

#include "platform/console.h"

namespace rondix {

ConsoleIo StandardConsole() {
  return {
      [](const std::string& line) { PrintLine(line); },
      [](const std::string& title) { SetConsoleTitle(title); },
      [] { WaitForKey(); },
  };
}

}  // namespace rondix
