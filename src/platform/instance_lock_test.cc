#include "platform/instance_lock.h"

#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>

#include <gtest/gtest.h>

#include "platform/open_external.h"

namespace rondix {
namespace {

constexpr const char* kTitle = "Pelloran TGA to PNG 2.9";

// Gives every test its own runtime folder, as the program's tests do.
class InstanceLockTest : public ::testing::Test {
 protected:
  void SetUp() override {
    char pattern[] = "/tmp/rondix-lock-XXXXXX";
    ASSERT_NE(mkdtemp(pattern), nullptr);
    dir_ = pattern;
    const char* old = std::getenv("XDG_RUNTIME_DIR");
    if (old != nullptr) saved_ = old;
    setenv("XDG_RUNTIME_DIR", dir_.c_str(), 1);
  }
  void TearDown() override {
    if (saved_) setenv("XDG_RUNTIME_DIR", saved_->c_str(), 1);
    else unsetenv("XDG_RUNTIME_DIR");
    std::filesystem::remove_all(dir_);
  }

  // Exit status of a child process that tries to take the lock: 0 held, 1 busy, 2 failed.
  static int TryInChild(const std::string& title) {
    pid_t pid = fork();
    if (pid == 0) {
      InstanceLock lock = AcquireInstanceLock(title);
      _exit(lock.held() ? 0 : lock.status() == LockStatus::Busy ? 1 : 2);
    }
    int status = 0;
    waitpid(pid, &status, 0);
    return WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  }

  std::string dir_;
  std::optional<std::string> saved_;
};

TEST_F(InstanceLockTest, FileNameIsSafe) {
  struct Case {
    const char* title;
    const char* name;
  } cases[] = {
      {"Pelloran TGA to PNG 2.9", "Pelloran_TGA_to_PNG_2.9"},
      {"../../etc/passwd", "_._.._etc_passwd"},
      {".hidden", "_hidden"},
      {"", "_"},
      {"a\xC3\xA9-b_c", "a__-b_c"},
  };
  for (const Case& c : cases) EXPECT_EQ(LockFileName(c.title), c.name) << c.title;
  EXPECT_EQ(LockFileName(std::string(1000, 'x')).size(), 200u);
}

TEST_F(InstanceLockTest, PathIsInTheRuntimeFolderOrTmpWithTheUserId) {
  EXPECT_EQ(LockFilePath(kTitle), dir_ + "/Pelloran_TGA_to_PNG_2.9.lock");
  std::string fallback = "/tmp/Pelloran_TGA_to_PNG_2.9-" + std::to_string(getuid()) + ".lock";
  setenv("XDG_RUNTIME_DIR", "relative/folder", 1);
  EXPECT_EQ(LockFilePath(kTitle), fallback);
  unsetenv("XDG_RUNTIME_DIR");
  EXPECT_EQ(LockFilePath(kTitle), fallback);
}

TEST_F(InstanceLockTest, SecondAcquireFailsWhileHeldAndSucceedsAfterRelease) {
  InstanceLock first = AcquireInstanceLock(kTitle);
  ASSERT_TRUE(first.held());
  EXPECT_TRUE(std::filesystem::exists(dir_ + "/Pelloran_TGA_to_PNG_2.9.lock"));

  InstanceLock second = AcquireInstanceLock(kTitle);  // another open file, same process
  EXPECT_FALSE(second.held());
  EXPECT_EQ(second.status(), LockStatus::Busy);
  EXPECT_EQ(TryInChild(kTitle), 1);
  EXPECT_EQ(TryInChild("Pelloran TGA to PNG 3.0"), 0);  // another version runs beside it

  first.Release();
  EXPECT_FALSE(first.held());
  first.Release();  // harmless
  EXPECT_EQ(TryInChild(kTitle), 0);
  EXPECT_TRUE(AcquireInstanceLock(kTitle).held());
}

TEST_F(InstanceLockTest, DestructionAndMoveKeepOwnershipRight) {
  {
    InstanceLock scoped = AcquireInstanceLock(kTitle);
    ASSERT_TRUE(scoped.held());
  }
  InstanceLock a = AcquireInstanceLock(kTitle);
  ASSERT_TRUE(a.held());
  InstanceLock b = std::move(a);
  EXPECT_FALSE(a.held());
  EXPECT_TRUE(b.held());
  { InstanceLock gone = std::move(a); }  // destroying an empty handle releases nothing
  EXPECT_EQ(TryInChild(kTitle), 1);
  b = InstanceLock();
  EXPECT_EQ(TryInChild(kTitle), 0);
}

TEST_F(InstanceLockTest, UnusableLockFileFails) {
  EXPECT_EQ(AcquireInstanceLockAt(dir_ + "/missing/x.lock").status(), LockStatus::Failed);
  // A link planted where the lock file should be is not followed.
  std::filesystem::create_symlink(dir_ + "/target", dir_ + "/link.lock");
  EXPECT_EQ(AcquireInstanceLockAt(dir_ + "/link.lock").status(), LockStatus::Failed);
  EXPECT_FALSE(std::filesystem::exists(dir_ + "/target"));
}

TEST_F(InstanceLockTest, ProgramsStartedByTheHolderDoNotKeepTheLock) {
  pid_t pid = fork();
  if (pid == 0) {
    InstanceLock lock = AcquireInstanceLock(kTitle);
    bool started = lock.held() && OpenExternalWith("sleep", "3");
    _exit(started ? 0 : 1);  // ends without releasing; the sleeper lives on
  }
  int status = 0;
  waitpid(pid, &status, 0);
  ASSERT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0);
  EXPECT_TRUE(AcquireInstanceLock(kTitle).held());
}

}  // namespace
}  // namespace rondix
