#include "update/http_fetch.h"

#include <gtest/gtest.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <arpa/inet.h>

#include <atomic>
#include <chrono>
#include <functional>
#include <mutex>
#include <thread>

#include "update/update_check.h"

namespace rondix {
namespace {

using namespace std::chrono_literals;
using Clock = std::chrono::steady_clock;

// A one-connection HTTP stand-in on 127.0.0.1: accepts, reads the request up to its blank
// line (or until the client closes), then does what the test asked.
class TestServer {
 public:
  enum class Mode {
    Answer,       // sends `answer`, then closes
    NeverAnswer,  // keeps the connection open and silent until the client leaves
    CloseAtOnce,  // closes as soon as it has accepted, before reading anything
    StallAfter,   // sends `answer` and then stays silent without closing
  };

  explicit TestServer(Mode mode, std::string answer = {}) : mode_(mode), answer_(std::move(answer)) {
    listener_ = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in addr{};
    addr.sin_family = AF_INET;
    addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    addr.sin_port = 0;
    bind(listener_, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    listen(listener_, 4);
    socklen_t size = sizeof addr;
    getsockname(listener_, reinterpret_cast<sockaddr*>(&addr), &size);
    port_ = ntohs(addr.sin_port);
    thread_ = std::thread([this] { Serve(); });
  }

  ~TestServer() {
    stop_ = true;
    thread_.join();
    close(listener_);
  }

  std::string Address(const std::string& path = "/files/rondix.dat") const {
    return "http://127.0.0.1:" + std::to_string(port_) + path;
  }

  std::string Request() {
    std::lock_guard<std::mutex> lock(mutex_);
    return request_;
  }

 private:
  // Waits for `fd` to be readable, giving up when the test ends.
  bool Readable(int fd) {
    while (!stop_) {
      pollfd p{fd, POLLIN, 0};
      if (poll(&p, 1, 20) > 0) return true;
    }
    return false;
  }

  void Serve() {
    if (!Readable(listener_)) return;
    const int fd = accept(listener_, nullptr, nullptr);
    if (fd < 0) return;
    if (mode_ == Mode::CloseAtOnce) {
      close(fd);
      return;
    }
    std::string received;
    char chunk[512];
    while (received.find("\r\n\r\n") == std::string::npos && Readable(fd)) {
      const ssize_t n = recv(fd, chunk, sizeof chunk, 0);
      if (n <= 0) break;
      received.append(chunk, static_cast<size_t>(n));
    }
    {
      std::lock_guard<std::mutex> lock(mutex_);
      request_ = received;
    }
    if (mode_ == Mode::Answer || mode_ == Mode::StallAfter) {
      send(fd, answer_.data(), answer_.size(), MSG_NOSIGNAL);
    }
    if (mode_ != Mode::Answer) {
      // Silent until the client closes (recv gives 0) or the test ends.
      while (Readable(fd) && recv(fd, chunk, sizeof chunk, 0) > 0) {
      }
    }
    close(fd);
  }

  Mode mode_;
  std::string answer_;
  int listener_ = -1;
  int port_ = 0;
  std::atomic<bool> stop_{false};
  std::mutex mutex_;
  std::string request_;
  std::thread thread_;
};

std::string Http(const std::string& status, const std::string& body) {
  return "HTTP/1.1 " + status + "\r\nContent-Type: text/plain\r\nContent-Length: " +
         std::to_string(body.size()) + "\r\n\r\n" + body;
}

FetchLimits Quick(std::chrono::milliseconds answer) {
  FetchLimits limits;
  limits.answer = answer;
  limits.connect = 2000ms;
  return limits;
}

TEST(SplitAddressTest, HostPathAndPort) {
  struct Case {
    const char* address;
    bool valid;
    const char* host;
    const char* path;
    int port;
  } cases[] = {
      {"https://www.pelloran.com/files/rondix.dat", true, "www.pelloran.com", "/files/rondix.dat", 80},
      {"http://example.org:8080/a/b.dat?x=1&y=2", true, "example.org", "/a/b.dat", 8080},
      {"http://example.org", true, "example.org", "/", 80},
      {"http://example.org?q", true, "example.org", "/", 80},
      {"example.org/x", true, "example.org", "/x", 80},
      {"http://user:pw@example.org/x", true, "example.org", "/x", 80},
      {"http://[::1]:81/x", true, "::1", "/x", 81},
      {"http://example.org:/x", true, "example.org", "/x", 80},
      {"", false, "", "", 80},
      {"http:///x", false, "", "", 80},
      {"http://example.org:0/x", false, "", "", 80},
      {"http://example.org:70000/x", false, "", "", 80},
      {"http://example.org:8a/x", false, "", "", 80},
  };
  for (const Case& c : cases) {
    const AddressParts parts = SplitAddress(c.address);
    EXPECT_EQ(parts.valid, c.valid) << c.address;
    if (!c.valid) continue;
    EXPECT_EQ(parts.host, c.host) << c.address;
    EXPECT_EQ(parts.path, c.path) << c.address;
    EXPECT_EQ(parts.port, c.port) << c.address;
  }
}

TEST(FirstCharactersOfBodyTest, BodyBetweenBlankLines) {
  struct Case {
    std::string response;
    const char* expected;
  } cases[] = {
      {"HTTP/1.0 200 OK\r\n\r\n291", "291"},
      {"HTTP/1.0 200 OK\r\n\r\n  291\r\n", "291"},
      {"HTTP/1.0 200 OK\r\n\r\n2.9.1", "2.9"},
      {"HTTP/1.0 200 OK\r\n\r\n12\r\n\r\n345", "12"},
      {"HTTP/1.0 200 OK\r\n\r\n \t", ""},
      {"HTTP/1.0 200 OK\r\nno blank line 291", ""},
      {"", ""},
      {std::string("HTTP/1.0 200 OK\r\n\r\n2\0" "91", 23), "2"},  // ends at the first zero byte
  };
  for (const Case& c : cases) EXPECT_EQ(FirstCharactersOfBody(c.response), c.expected) << c.response;
}

TEST(FetchTest, SendsExactlyTheSpecifiedRequest) {
  TestServer server(TestServer::Mode::Answer, Http("200 OK", "291"));
  EXPECT_EQ(Fetch(server.Address("/files/rondix.dat?ignored=1"), "Pelloran TGA to PNG 2.9",
                  Quick(3000ms)),
            "291");
  EXPECT_EQ(server.Request(),
            "GET /files/rondix.dat HTTP/1.0\r\n"
            "Host: 127.0.0.1\r\n"
            "Accept: */*\r\n"
            "User-Agent: Pelloran TGA to PNG 2.9\r\n"
            "Connection: close\r\n\r\n");
}

TEST(FetchTest, AnswersAndWhatTheCheckMakesOfThem) {
  std::string big = Http("200 OK", "  291\r\n" + std::string(4000, 'x'));
  struct Case {
    const char* name;
    std::string answer;
    const char* fetched;
    UpdateBoxKind box;
  } cases[] = {
      {"newer", Http("200 OK", "291"), "291", UpdateBoxKind::NewVersion},
      {"same", Http("200 OK", "290"), "290", UpdateBoxKind::NoNewVersion},
      {"blanks and line break", Http("200 OK", "  291\r\n"), "291", UpdateBoxKind::NewVersion},
      {"dotted", Http("200 OK", "2.9.1"), "2.9", UpdateBoxKind::NoNewVersion},
      {"not found", Http("404 Not Found", "<html><body>Not Found</body></html>"), "<ht",
       UpdateBoxKind::Failure},
      {"more than the buffer", big, "291", UpdateBoxKind::NewVersion},
      {"no blank line", "HTTP/1.0 200 OK\r\n291", "", UpdateBoxKind::Failure},
  };
  for (const Case& c : cases) {
    TestServer server(TestServer::Mode::Answer, c.answer);
    const std::string fetched = Fetch(server.Address(), UpdateUserAgent(), Quick(3000ms));
    EXPECT_EQ(fetched, c.fetched) << c.name;
    EXPECT_EQ(InteractiveCheckBox(fetched, 290).kind, c.box) << c.name;
  }
}

TEST(FetchTest, ServerClosingAtOnceGivesNothingWithoutWaiting) {
  TestServer server(TestServer::Mode::CloseAtOnce);
  const auto start = Clock::now();
  EXPECT_EQ(Fetch(server.Address(), "agent", Quick(3000ms)), "");
  EXPECT_LT(Clock::now() - start, 1500ms);
}

TEST(FetchTest, SilentServerIsLeftAfterTheAnswerLimit) {
  TestServer server(TestServer::Mode::NeverAnswer);
  const auto start = Clock::now();
  EXPECT_EQ(Fetch(server.Address(), "agent", Quick(300ms)), "");
  const auto took = Clock::now() - start;
  EXPECT_GE(took, 300ms);
  EXPECT_LT(took, 1500ms);
}

TEST(FetchTest, ServerStallingMidAnswerIsLeftAtTheSameLimit) {
  // Headers and the start of a body, then silence with the connection open.
  TestServer server(TestServer::Mode::StallAfter, "HTTP/1.0 200 OK\r\n\r\n291");
  const auto start = Clock::now();
  EXPECT_EQ(Fetch(server.Address(), "agent", Quick(400ms)), "291");
  const auto took = Clock::now() - start;
  EXPECT_GE(took, 400ms);
  EXPECT_LT(took, 1500ms);
}

TEST(FetchTest, RealLimitIsTenSecondsFromTheRequest) {
  TestServer server(TestServer::Mode::NeverAnswer);
  const auto start = Clock::now();
  EXPECT_EQ(Fetch(server.Address(), "agent"), "");
  const auto took = Clock::now() - start;
  EXPECT_GE(took, 10000ms);
  EXPECT_LT(took, 10800ms);
}

TEST(FetchTest, NoConnectionGivesNothing) {
  // A port nobody listens on: bound, never listening, so the attempt is refused.
  const int fd = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  socklen_t size = sizeof addr;
  getsockname(fd, reinterpret_cast<sockaddr*>(&addr), &size);
  const std::string address = "http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x";
  EXPECT_EQ(Fetch(address, "agent", Quick(3000ms)), "");
  close(fd);

  EXPECT_EQ(Fetch("", "agent"), "");
  EXPECT_EQ(Fetch("http://host.invalid/files/rondix.dat", "agent", Quick(3000ms)), "");
}

TEST(FetchTest, ConnectionAttemptHasALimit) {
  // A listener whose queue is full and never accepted from: further attempts get no answer
  // to their SYN, as with an unreachable host.
  const int listener = socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
  sockaddr_in addr{};
  addr.sin_family = AF_INET;
  addr.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(listener, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
  listen(listener, 0);
  socklen_t size = sizeof addr;
  getsockname(listener, reinterpret_cast<sockaddr*>(&addr), &size);
  std::vector<int> fillers;
  for (int i = 0; i < 4; ++i) {
    const int fd = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, 0);
    connect(fd, reinterpret_cast<sockaddr*>(&addr), sizeof addr);
    fillers.push_back(fd);
  }
  std::this_thread::sleep_for(100ms);

  // A long answer limit: only the connection limit can end this quickly.
  FetchLimits limits;
  limits.connect = 500ms;
  limits.answer = 5000ms;
  const auto start = Clock::now();
  const std::string fetched =
      Fetch("http://127.0.0.1:" + std::to_string(ntohs(addr.sin_port)) + "/x", "agent", limits);
  const auto took = Clock::now() - start;
  EXPECT_EQ(fetched, "");
  EXPECT_GE(took, 500ms);
  EXPECT_LT(took, 2000ms);

  for (int fd : fillers) close(fd);
  close(listener);
}

}  // namespace
}  // namespace rondix
