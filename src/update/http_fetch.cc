#include "update/http_fetch.h"

#include <netdb.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <memory>
#include <new>
#include <thread>

#include "core/text.h"

namespace rondix {
namespace {

using Clock = std::chrono::steady_clock;

constexpr std::string_view kBlankLine = "\r\n\r\n";

// Milliseconds left until `deadline`, at least 0, rounded up so a wait never ends early.
int MillisLeft(Clock::time_point deadline) {
  const auto left = deadline - Clock::now();
  if (left <= Clock::duration::zero()) return 0;
  return static_cast<int>(std::chrono::ceil<std::chrono::milliseconds>(left).count());
}

// Waits for `events` on `fd` for at most `millis`; true when one (or an error) is reported.
bool WaitFor(int fd, short events, int millis) {
  pollfd p{fd, events, 0};
  for (;;) {
    const int n = poll(&p, 1, millis);
    if (n >= 0) return n > 0;
    if (errno != EINTR) return false;
  }
}

class Socket {
 public:
  explicit Socket(int fd = -1) : fd_(fd) {}
  Socket(const Socket&) = delete;
  Socket& operator=(const Socket&) = delete;
  Socket(Socket&& other) noexcept : fd_(other.fd_) { other.fd_ = -1; }
  Socket& operator=(Socket&& other) noexcept {
    std::swap(fd_, other.fd_);
    return *this;
  }
  ~Socket() {
    if (fd_ >= 0) close(fd_);
  }
  int fd() const { return fd_; }

 private:
  int fd_;
};

// Tries each address of the host in turn, all of them within one time limit. The socket
// stays non-blocking: every later wait has its own limit.
Socket Connect(const std::string& host, int port, std::chrono::milliseconds limit) {
  addrinfo hints{};
  hints.ai_family = AF_UNSPEC;
  hints.ai_socktype = SOCK_STREAM;
  addrinfo* found = nullptr;
  if (getaddrinfo(host.c_str(), std::to_string(port).c_str(), &hints, &found) != 0) return Socket();
  std::unique_ptr<addrinfo, decltype(&freeaddrinfo)> list(found, &freeaddrinfo);

  const Clock::time_point deadline = Clock::now() + limit;
  for (addrinfo* a = list.get(); a != nullptr; a = a->ai_next) {
    Socket s(socket(a->ai_family, a->ai_socktype | SOCK_NONBLOCK | SOCK_CLOEXEC, a->ai_protocol));
    if (s.fd() < 0) continue;
    int rc;
    do {
      rc = connect(s.fd(), a->ai_addr, a->ai_addrlen);
    } while (rc != 0 && errno == EINTR);
    if (rc == 0) return s;
    if (errno != EINPROGRESS) continue;
    if (!WaitFor(s.fd(), POLLOUT, MillisLeft(deadline))) {
      if (MillisLeft(deadline) == 0) break;
      continue;
    }
    int error = 0;
    socklen_t size = sizeof error;
    if (getsockopt(s.fd(), SOL_SOCKET, SO_ERROR, &error, &size) == 0 && error == 0) return s;
  }
  return Socket();
}

bool SendAll(int fd, std::string_view data, std::chrono::milliseconds limit) {
  const Clock::time_point deadline = Clock::now() + limit;
  while (!data.empty()) {
    const ssize_t n = send(fd, data.data(), data.size(), MSG_NOSIGNAL);
    if (n > 0) {
      data.remove_prefix(static_cast<size_t>(n));
      continue;
    }
    if (n < 0 && errno == EINTR) continue;
    if (n < 0 && (errno == EAGAIN || errno == EWOULDBLOCK) &&
        WaitFor(fd, POLLOUT, MillisLeft(deadline))) {
      continue;
    }
    return false;
  }
  return true;
}

// Appends what arrives to the buffer until the server closes, a read fails, the buffer is
// full or the deadline passes. The deadline also bounds a server that sends part of an
// answer and then stalls, which would otherwise hold the window forever.
void ReadAnswer(int fd, char* buffer, size_t size, Clock::time_point deadline) {
  size_t filled = 0;
  while (filled < size) {
    const ssize_t n = recv(fd, buffer + filled, size - filled, 0);
    if (n > 0) {
      filled += static_cast<size_t>(n);
      continue;
    }
    if (n == 0) return;
    if (errno == EINTR) continue;
    if ((errno == EAGAIN || errno == EWOULDBLOCK) && WaitFor(fd, POLLIN, MillisLeft(deadline))) {
      continue;
    }
    return;
  }
}

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

}  // namespace

AddressParts SplitAddress(std::string_view address) {
  AddressParts parts;
  if (address.empty()) return parts;
  if (size_t scheme = address.find("://"); scheme != std::string_view::npos) {
    address.remove_prefix(scheme + 3);
  }
  const size_t authorityEnd = address.find_first_of("/?#");
  std::string_view authority = address.substr(0, authorityEnd);
  std::string_view rest = authorityEnd == std::string_view::npos ? std::string_view()
                                                                 : address.substr(authorityEnd);
  if (size_t at = authority.rfind('@'); at != std::string_view::npos) {
    authority.remove_prefix(at + 1);  // user name and password are not ours to send
  }

  std::string_view host = authority;
  std::string_view port;
  if (!authority.empty() && authority.front() == '[') {
    const size_t close = authority.find(']');
    if (close == std::string_view::npos) return parts;
    host = authority.substr(1, close - 1);
    std::string_view after = authority.substr(close + 1);
    if (!after.empty()) {
      if (after.front() != ':') return parts;
      port = after.substr(1);
    }
  } else if (size_t colon = authority.rfind(':'); colon != std::string_view::npos) {
    host = authority.substr(0, colon);
    port = authority.substr(colon + 1);
  }
  if (host.empty()) return parts;
  if (!port.empty()) {
    if (port.size() > 5) return parts;
    int value = 0;
    for (char c : port) {
      if (!IsDigit(c)) return parts;
      value = value * 10 + (c - '0');
    }
    if (value < 1 || value > 65535) return parts;
    parts.port = value;
  }

  // A fragment is never sent to a server, nor is the query here.
  std::string_view path = rest.substr(0, rest.find_first_of("?#"));
  if (!path.empty() && path.front() == '/') path.remove_prefix(1);
  parts.host = std::string(host);
  parts.path = "/" + std::string(path);
  parts.valid = true;
  return parts;
}

std::string BuildRequest(const AddressParts& parts, std::string_view userAgent) {
  std::string request;
  request += "GET " + parts.path + " HTTP/1.0\r\n";
  request += "Host: " + parts.host + "\r\n";
  request += "Accept: */*\r\n";
  request += "User-Agent: " + std::string(userAgent) + "\r\n";
  request += "Connection: close\r\n\r\n";
  return request;
}

std::string FirstCharactersOfBody(std::string_view response) {
  response = response.substr(0, response.find('\0'));
  const size_t head = response.find(kBlankLine);
  if (head == std::string_view::npos) return {};
  std::string_view body = response.substr(head + kBlankLine.size());
  body = body.substr(0, body.find(kBlankLine));
  return std::string(TrimBlanks(body).substr(0, 3));
}

std::string Fetch(std::string_view address, std::string_view userAgent, const FetchLimits& limits) {
  const AddressParts parts = SplitAddress(address);
  if (!parts.valid) return {};
  std::unique_ptr<char[]> buffer(new (std::nothrow) char[kResponseBufferSize]());
  if (!buffer) return {};

  Socket s = Connect(parts.host, parts.port, limits.connect);
  if (s.fd() < 0) return {};
  if (!SendAll(s.fd(), BuildRequest(parts, userAgent), limits.answer)) return {};

  const Clock::time_point sent = Clock::now();
  const Clock::time_point deadline = sent + limits.answer;
  for (;;) {
    if (WaitFor(s.fd(), POLLIN, 0)) {
      ReadAnswer(s.fd(), buffer.get(), kResponseBufferSize, deadline);
      break;
    }
    std::this_thread::sleep_for(limits.pause);
    if (Clock::now() - sent > limits.answer) break;
  }
  s = Socket();  // closed before the answer is looked at, as soon as it is complete

  return FirstCharactersOfBody(std::string_view(buffer.get(), kResponseBufferSize));
}

}  // namespace rondix
