#include "platform/open_external.h"

#include <fcntl.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>

namespace rondix {

bool OpenExternal(const std::string& target) { return OpenExternalWith("xdg-open", target); }

bool OpenExternalWith(const std::string& program, const std::string& target) {
  if (program.empty() || target.empty()) return false;
  // Reports the errno of a failed start; closed unread when exec succeeds (close-on-exec).
  int report[2];
  if (pipe2(report, O_CLOEXEC) != 0) return false;
  char* const argv[] = {const_cast<char*>(program.c_str()), const_cast<char*>(target.c_str()),
                        nullptr};

  pid_t child = fork();
  if (child < 0) {
    close(report[0]);
    close(report[1]);
    return false;
  }
  if (child == 0) {
    // Two forks: the opener is adopted by init, so it never lingers as our zombie and we
    // need not wait for it. Only async-signal-safe calls from here on.
    close(report[0]);
    pid_t grandchild = fork();
    if (grandchild < 0) {
      int err = errno;
      (void)!write(report[1], &err, sizeof err);
      _exit(1);
    }
    if (grandchild > 0) _exit(0);
    setsid();  // no terminal signals from our console
    int null = open("/dev/null", O_RDWR);
    if (null >= 0) {
      dup2(null, STDIN_FILENO);
      dup2(null, STDOUT_FILENO);
      dup2(null, STDERR_FILENO);
      if (null > STDERR_FILENO) close(null);
    }
    execvp(argv[0], argv);
    int err = errno;
    (void)!write(report[1], &err, sizeof err);
    _exit(127);
  }

  close(report[1]);
  int status = 0;
  while (waitpid(child, &status, 0) < 0 && errno == EINTR) {
  }
  int err = 0;
  ssize_t n;
  do {
    n = read(report[0], &err, sizeof err);
  } while (n < 0 && errno == EINTR);
  close(report[0]);
  return n == 0;
}

}  // namespace rondix
