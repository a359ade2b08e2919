// Fetching the update data file: a hand-built HTTP/1.0 GET over a plain TCP socket, whose
// answer is reduced to the first three characters of its body.
//
//   address    any "scheme://host[:port]/path[?query]"; the scheme is ignored, the exchange
//              is always plain HTTP, port 80 unless the address names one
//   user agent sent as the "User-Agent" line
//   result     the body's first three characters after trimming blanks; empty on any
//              failure (no connection, no answer in time, no blank line in the answer)
#pragma once
#include <chrono>
#include <string>
#include <string_view>

namespace rondix {

inline constexpr size_t kResponseBufferSize = 2048;

struct FetchLimits {
  // Counted from the moment the request has been sent; covers the whole answer.
  std::chrono::milliseconds answer{10000};
  // Pause between two looks at the connection while nothing has arrived.
  std::chrono::milliseconds pause{20};
  // For name resolution aside, the longest a connection attempt may take: the system's own
  // limit is minutes, and the check blocks the window while it waits.
  std::chrono::milliseconds connect{10000};
};

struct AddressParts {
  bool valid = false;  // false for an empty address, no host or a bad port
  std::string host;
  std::string path;  // "/" + the address's path, without any query
  int port = 80;
};

AddressParts SplitAddress(std::string_view address);

// The request bytes: GET line, Host, Accept, User-Agent and Connection lines, blank line.
std::string BuildRequest(const AddressParts& parts, std::string_view userAgent);

// The response text (up to its first zero byte) reduced to the first three characters of
// its body: what lies between the first and the second "\r\n\r\n", blanks trimmed.
std::string FirstCharactersOfBody(std::string_view response);

std::string Fetch(std::string_view address, std::string_view userAgent,
                  const FetchLimits& limits = {});

}  // namespace rondix
