// The console as the front end uses it: print a line, set the title, wait for a key.
// Kept as three callables so the front end can be driven and observed in-process.
#pragma once
#include <functional>
#include <string>

namespace rondix {

struct ConsoleIo {
  std::function<void(const std::string&)> printLine;
  std::function<void(const std::string&)> setTitle;
  std::function<void()> waitForKey;
};

// Standard output, the terminal title (only on a terminal) and standard input.
ConsoleIo StandardConsole();

}  // namespace rondix
