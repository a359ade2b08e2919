// The console: standard output as a line printer, the terminal title, and "wait for a key".
// Text is UTF-8 throughout; lines end with "\n".
#pragma once
#include <cstdio>
#include <string>
#include <string_view>

namespace rondix {

// Writes `text` and "\n" to `out` and flushes it. False when the write failed.
bool PrintLine(std::FILE* out, std::string_view text);
bool PrintLine(std::string_view text);  // standard output

// The terminal escape that sets the window title; control characters in `title` are
// dropped so the text cannot end the escape early or start another one.
std::string TitleEscape(std::string_view title);

// Sets the title only when `out` is a terminal; redirected output stays free of escapes.
// True when the escape was written.
bool SetConsoleTitle(std::FILE* out, std::string_view title);
bool SetConsoleTitle(std::string_view title);  // standard output

// Reads one byte from `fd`; returns at end of input or on a read error too. On a terminal
// the key counts without Enter and is not echoed; the terminal settings are restored.
void WaitForKey(int fd);
void WaitForKey();  // standard input

}  // namespace rondix
