#include "platform/console.h"

#include <termios.h>
#include <unistd.h>

#include <cerrno>

namespace rondix {

bool PrintLine(std::FILE* out, std::string_view text) {
  bool ok = std::fwrite(text.data(), 1, text.size(), out) == text.size();
  ok = std::fputc('\n', out) != EOF && ok;
  return std::fflush(out) == 0 && ok;
}

bool PrintLine(std::string_view text) { return PrintLine(stdout, text); }

std::string TitleEscape(std::string_view title) {
  std::string out = "\033]0;";
  for (char c : title) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) continue;
    out += c;
  }
  out += '\a';
  return out;
}

bool SetConsoleTitle(std::FILE* out, std::string_view title) {
  if (!isatty(fileno(out))) return false;
  std::string escape = TitleEscape(title);
  bool ok = std::fwrite(escape.data(), 1, escape.size(), out) == escape.size();
  return std::fflush(out) == 0 && ok;
}

bool SetConsoleTitle(std::string_view title) { return SetConsoleTitle(stdout, title); }

void WaitForKey(int fd) {
  termios saved{};
  bool terminal = isatty(fd) && tcgetattr(fd, &saved) == 0;
  if (terminal) {
    // One key press, not a whole line, and without echoing it.
    termios raw = saved;
    raw.c_lflag &= static_cast<tcflag_t>(~(ICANON | ECHO));
    raw.c_cc[VMIN] = 1;
    raw.c_cc[VTIME] = 0;
    tcsetattr(fd, TCSANOW, &raw);
  }
  char byte = 0;
  ssize_t n;
  do {
    n = read(fd, &byte, 1);
  } while (n < 0 && errno == EINTR);
  if (terminal) tcsetattr(fd, TCSANOW, &saved);
}

void WaitForKey() { WaitForKey(STDIN_FILENO); }

}  // namespace rondix
