// Runs the built program as a child process in a folder of its own, with its own XDG
// folders, and collects what it printed and its exit status.
#pragma once
#include <fcntl.h>
#include <poll.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <string>
#include <vector>

namespace rondix::console_test {

struct ProgramResult {
  int status = -1;  // exit status; -1 when the program did not exit normally
  std::string out;
  std::string err;

  // Standard output split into lines (each ended by "\n").
  std::vector<std::string> Lines() const {
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t nl; (nl = out.find('\n', start)) != std::string::npos; start = nl + 1) {
      lines.push_back(out.substr(start, nl - start));
    }
    if (start < out.size()) lines.push_back(out.substr(start));
    return lines;
  }
};

// One child process. The XDG folders are `xdgRoot`/config and `xdgRoot`/runtime, so runs
// sharing a root share the single-instance lock.
class Program {
 public:
  Program(const std::vector<std::string>& args, const std::string& cwd, const std::string& xdgRoot,
          bool holdInput = false, const std::string& exe = RONDIX_EXE) {
    std::string config = xdgRoot + "/config", runtime = xdgRoot + "/runtime";
    mkdir(config.c_str(), 0700);
    mkdir(runtime.c_str(), 0700);
    int in[2] = {-1, -1}, out[2], err[2];
    if (holdInput && pipe(in) != 0) return;
    if (pipe(out) != 0 || pipe(err) != 0) return;
    pid_ = fork();
    if (pid_ == 0) {
      int input = holdInput ? in[0] : open("/dev/null", O_RDONLY);
      dup2(input, 0);
      dup2(out[1], 1);
      dup2(err[1], 2);
      for (int fd = 3; fd < 256; ++fd) close(fd);
      if (chdir(cwd.c_str()) != 0) _exit(126);
      setenv("XDG_CONFIG_HOME", config.c_str(), 1);
      setenv("XDG_RUNTIME_DIR", runtime.c_str(), 1);
      // Without a display the desktop path ends at once instead of opening a window.
      unsetenv("DISPLAY");
      unsetenv("WAYLAND_DISPLAY");
      unsetenv("QT_QPA_PLATFORM");
      std::vector<char*> argv{const_cast<char*>(exe.c_str())};
      for (const std::string& a : args) argv.push_back(const_cast<char*>(a.c_str()));
      argv.push_back(nullptr);
      execv(exe.c_str(), argv.data());
      _exit(127);
    }
    if (holdInput) {
      close(in[0]);
      input_ = in[1];
    }
    close(out[1]);
    close(err[1]);
    out_ = out[0];
    err_ = err[0];
  }

  ~Program() { Finish(); }

  // Reads standard output until it holds `text` or the program closes it.
  bool WaitForOutput(const std::string& text) {
    while (result_.out.find(text) == std::string::npos) {
      if (!ReadSome()) return false;
    }
    return true;
  }

  // Closes the program's input, reads everything and waits for it to end.
  const ProgramResult& Finish() {
    if (pid_ <= 0) return result_;
    if (input_ >= 0) close(input_), input_ = -1;
    while (ReadSome()) {
    }
    if (out_ >= 0 || err_ >= 0) kill(pid_, SIGKILL);  // hung: fail the test, not the suite
    if (out_ >= 0) close(out_), out_ = -1;
    if (err_ >= 0) close(err_), err_ = -1;
    int raw = 0;
    waitpid(pid_, &raw, 0);
    pid_ = -1;
    result_.status = WIFEXITED(raw) ? WEXITSTATUS(raw) : -1;
    return result_;
  }

 private:
  // One round of reading; false once both outputs are closed.
  bool ReadSome() {
    pollfd fds[2] = {{out_, POLLIN, 0}, {err_, POLLIN, 0}};
    int open = (out_ >= 0) + (err_ >= 0);
    if (open == 0) return false;
    if (poll(fds, 2, 20000) <= 0) return false;
    for (int i = 0; i < 2; ++i) {
      int& fd = i == 0 ? out_ : err_;
      if (fd < 0 || fds[i].revents == 0) continue;
      char buffer[4096];
      ssize_t n = read(fd, buffer, sizeof buffer);
      if (n <= 0) {
        close(fd);
        fd = -1;
      } else {
        (i == 0 ? result_.out : result_.err).append(buffer, static_cast<size_t>(n));
      }
    }
    return true;
  }

  pid_t pid_ = -1;
  int input_ = -1;
  int out_ = -1;
  int err_ = -1;
  ProgramResult result_;
};

inline ProgramResult RunProgram(const std::vector<std::string>& args, const std::string& cwd,
                                const std::string& xdgRoot) {
  Program program(args, cwd, xdgRoot);
  return program.Finish();
}

}  // namespace rondix::console_test
