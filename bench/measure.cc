// Runs a command and prints its wall time in milliseconds and its peak resident memory in
// KiB, as "<ms> <kib> <exit>": what the benchmark script compares side by side.
#include <sys/resource.h>
#include <sys/wait.h>
#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>

int main(int argc, char** argv) {
  if (argc < 2) {
    std::fprintf(stderr, "usage: bench_measure COMMAND [ARGS...]\n");
    return 2;
  }
  auto start = std::chrono::steady_clock::now();
  pid_t pid = fork();
  if (pid == 0) {
    int devnull = open("/dev/null", 1);
    if (devnull >= 0) dup2(devnull, 1);
    execvp(argv[1], argv + 1);
    _exit(127);
  }
  int status = 0;
  rusage usage{};
  wait4(pid, &status, 0, &usage);
  auto ms = std::chrono::duration_cast<std::chrono::milliseconds>(
                std::chrono::steady_clock::now() - start).count();
  std::printf("%lld %ld %d\n", static_cast<long long>(ms), usage.ru_maxrss,
              WIFEXITED(status) ? WEXITSTATUS(status) : 128);
  return 0;
}
