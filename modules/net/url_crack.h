// Splitting a URL with the platform's parser: canonicalised without escaping, then cracked.
#pragma once
#include <cstdint>
#include <string>

namespace net {

struct CrackedUrl {
  int scheme = 0;
  std::string host;
  uint16_t port = 0;
  std::string user;
  std::string password;
  std::string object;  // path and query (and fragment, when the URL has one)
};

// False when the URL cannot be parsed or a part is longer than its limit.
bool CrackUrl(const char* url, CrackedUrl& out);

}  // namespace net
