// The single-instance lock: an exclusive flock on a file named by the title text, so only
// one process of the same version runs at a time. The kernel drops the lock when the
// process ends, however it ends.
#pragma once
#include <string>
#include <string_view>

namespace rondix {

enum class LockStatus {
  Held,      // this handle holds the lock
  Busy,      // another holder has it
  Failed,    // the lock file could not be opened or locked
  Released,  // nothing held: default-constructed, moved from, or released
};

// Holds the lock until Release() or destruction. Movable, not copyable.
class InstanceLock {
 public:
  InstanceLock() = default;
  InstanceLock(InstanceLock&& other) noexcept;
  InstanceLock& operator=(InstanceLock&& other) noexcept;
  InstanceLock(const InstanceLock&) = delete;
  InstanceLock& operator=(const InstanceLock&) = delete;
  ~InstanceLock();

  bool held() const { return status_ == LockStatus::Held; }
  LockStatus status() const { return status_; }
  // Unlocks and closes; afterwards the handle holds nothing. Safe to call twice.
  void Release();

 private:
  friend InstanceLock AcquireInstanceLockAt(const std::string& path);
  InstanceLock(int fd, LockStatus status) : fd_(fd), status_(status) {}

  int fd_ = -1;
  LockStatus status_ = LockStatus::Released;
};

// The title made safe as a file name: letters, digits, ".", "-" and "_" stay, every other
// byte becomes "_"; a leading "." becomes "_" so the file is never hidden or "..". At most
// 200 bytes, well inside the file-name limit.
std::string LockFileName(std::string_view title);

// $XDG_RUNTIME_DIR/<name>.lock when that variable names an absolute folder, else
// /tmp/<name>-<user id>.lock.
std::string LockFilePath(std::string_view title);

// Opens (creating it if needed) the lock file and takes the lock without waiting.
InstanceLock AcquireInstanceLock(std::string_view title);
InstanceLock AcquireInstanceLockAt(const std::string& path);

}  // namespace rondix
