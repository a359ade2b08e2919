#include "platform/instance_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <cstdlib>
#include <utility>

namespace rondix {

InstanceLock::InstanceLock(InstanceLock&& other) noexcept
    : fd_(std::exchange(other.fd_, -1)), status_(std::exchange(other.status_, LockStatus::Released)) {}

InstanceLock& InstanceLock::operator=(InstanceLock&& other) noexcept {
  if (this != &other) {
    Release();
    fd_ = std::exchange(other.fd_, -1);
    status_ = std::exchange(other.status_, LockStatus::Released);
  }
  return *this;
}

InstanceLock::~InstanceLock() { Release(); }

void InstanceLock::Release() {
  if (fd_ >= 0) {
    flock(fd_, LOCK_UN);
    close(fd_);
    fd_ = -1;
  }
  if (status_ == LockStatus::Held) status_ = LockStatus::Released;
}

std::string LockFileName(std::string_view title) {
  std::string name;
  for (char c : title.substr(0, 200)) {
    bool keep = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
                c == '.' || c == '-' || c == '_';
    name += keep ? c : '_';
  }
  if (name.empty()) name = "_";
  if (name.front() == '.') name.front() = '_';
  return name;
}

std::string LockFilePath(std::string_view title) {
  const char* runtime = std::getenv("XDG_RUNTIME_DIR");
  if (runtime != nullptr && runtime[0] == '/') {
    std::string folder = runtime;
    if (folder.back() != '/') folder += '/';
    return folder + LockFileName(title) + ".lock";
  }
  // A shared folder: the user id keeps users apart.
  return "/tmp/" + LockFileName(title) + "-" + std::to_string(getuid()) + ".lock";
}

InstanceLock AcquireInstanceLockAt(const std::string& path) {
  // Close-on-exec, so a program we start (a browser through xdg-open) does not keep
  // holding the lock after we end; no-follow, so a planted link cannot redirect it.
  int fd = open(path.c_str(), O_RDWR | O_CREAT | O_CLOEXEC | O_NOFOLLOW, 0600);
  if (fd < 0) return InstanceLock(-1, LockStatus::Failed);
  int rc;
  do {
    rc = flock(fd, LOCK_EX | LOCK_NB);
  } while (rc != 0 && errno == EINTR);
  if (rc != 0) {
    LockStatus status = errno == EWOULDBLOCK ? LockStatus::Busy : LockStatus::Failed;
    close(fd);
    return InstanceLock(-1, status);
  }
  return InstanceLock(fd, LockStatus::Held);
}

InstanceLock AcquireInstanceLock(std::string_view title) {
  return AcquireInstanceLockAt(LockFilePath(title));
}

}  // namespace rondix
