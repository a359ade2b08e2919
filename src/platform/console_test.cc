#include "platform/console.h"

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

#include <chrono>
#include <csignal>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <thread>

#include <gtest/gtest.h>

namespace rondix {
namespace {

std::string ReadAll(std::FILE* f) {
  std::rewind(f);
  std::string out;
  int c;
  while ((c = std::fgetc(f)) != EOF) out += static_cast<char>(c);
  return out;
}

// Reads what a pseudo-terminal's program side wrote, waiting briefly for it.
std::string ReadMaster(int master) {
  std::string out;
  char buf[256];
  pollfd p{master, POLLIN, 0};
  while (poll(&p, 1, 500) > 0) {
    ssize_t n = read(master, buf, sizeof buf);
    if (n <= 0) break;
    out.append(buf, static_cast<size_t>(n));
  }
  return out;
}

struct Pty {
  int master = -1;
  int slave = -1;
  Pty() {
    master = posix_openpt(O_RDWR | O_NOCTTY);
    if (master < 0 || grantpt(master) != 0 || unlockpt(master) != 0) return;
    slave = open(ptsname(master), O_RDWR | O_NOCTTY);
  }
  ~Pty() {
    if (slave >= 0) close(slave);
    if (master >= 0) close(master);
  }
};

TEST(Console, PrintLineWritesUtf8TextAndNewline) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  EXPECT_TRUE(PrintLine(f, "Dat\xC3\xA9i \xE2\x9C\x93"));
  EXPECT_TRUE(PrintLine(f, ""));
  EXPECT_EQ(ReadAll(f), "Dat\xC3\xA9i \xE2\x9C\x93\n\n");
  std::fclose(f);
}

TEST(Console, TitleEscapeDropsControlCharacters) {
  EXPECT_EQ(TitleEscape("Pelloran TGA to PNG 2.9"), "\033]0;Pelloran TGA to PNG 2.9\a");
  EXPECT_EQ(TitleEscape("a\033]0;b\a\nc\x7F"), "\033]0;a]0;bc\a");
}

TEST(Console, TitleIsNotWrittenWhenOutputIsNotATerminal) {
  std::FILE* f = std::tmpfile();
  ASSERT_NE(f, nullptr);
  EXPECT_FALSE(SetConsoleTitle(f, "Pelloran TGA to PNG 2.9"));
  PrintLine(f, "x");
  EXPECT_EQ(ReadAll(f), "x\n");
  std::fclose(f);
}

TEST(Console, TitleIsWrittenToATerminal) {
  Pty pty;
  ASSERT_GE(pty.slave, 0);
  std::FILE* out = fdopen(dup(pty.slave), "w");
  ASSERT_NE(out, nullptr);
  EXPECT_TRUE(SetConsoleTitle(out, "Pelloran TGA to PNG 2.9"));
  std::fclose(out);
  EXPECT_EQ(ReadMaster(pty.master), "\033]0;Pelloran TGA to PNG 2.9\a");
}

// A wait that never ends would hang the whole run; the alarm turns it into a failure.
struct Watchdog {
  Watchdog() {
    std::signal(SIGALRM, [](int) {
      const char message[] = "WaitForKey did not return\n";
      (void)!write(STDERR_FILENO, message, sizeof message - 1);
      _exit(1);
    });
    alarm(10);
  }
  ~Watchdog() { alarm(0); }
};

TEST(Console, WaitForKeyEndsAtEndOfInput) {
  Watchdog watchdog;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  close(fds[1]);
  WaitForKey(fds[0]);
  close(fds[0]);
}

TEST(Console, WaitForKeyTakesExactlyOneByte) {
  Watchdog watchdog;
  int fds[2];
  ASSERT_EQ(pipe(fds), 0);
  ASSERT_EQ(write(fds[1], "xy", 2), 2);
  WaitForKey(fds[0]);
  char next = 0;
  EXPECT_EQ(read(fds[0], &next, 1), 1);
  EXPECT_EQ(next, 'y');
  close(fds[0]);
  close(fds[1]);
}

TEST(Console, WaitForKeyOnATerminalNeedsNoEnterAndRestoresTheTerminal) {
  Watchdog watchdog;
  Pty pty;
  ASSERT_GE(pty.slave, 0);
  termios before{};
  ASSERT_EQ(tcgetattr(pty.slave, &before), 0);
  ASSERT_TRUE(before.c_lflag & ICANON);
  std::thread waiter([&] { WaitForKey(pty.slave); });
  // Press the key once the wait has switched the terminal over; a key typed earlier
  // would be echoed by the terminal itself.
  termios during{};
  do {
    std::this_thread::sleep_for(std::chrono::milliseconds(5));
    tcgetattr(pty.slave, &during);
  } while (during.c_lflag & ICANON);
  EXPECT_FALSE(during.c_lflag & ECHO);
  ASSERT_EQ(write(pty.master, "k", 1), 1);  // no line end: a line-mode read would block
  waiter.join();
  termios after{};
  ASSERT_EQ(tcgetattr(pty.slave, &after), 0);
  EXPECT_EQ(after.c_lflag, before.c_lflag);
  EXPECT_EQ(ReadMaster(pty.master), "");  // the key was not echoed
}

}  // namespace
}  // namespace rondix
