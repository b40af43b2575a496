// The module's one HTTP client: a WinINet internet handle opened on the first fetch and kept
// until the module is told the program ends, plus the proxy settings that every connection
// gets. Fetches may run on several threads at once.
#pragma once
#include <atomic>
#include <cstdint>
#include <mutex>
#include <string>

#include "modules/net/grow_buffer.h"

namespace net {

class HttpClient {
 public:
  static constexpr const char* kAgent = "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)";

  // Opens an internet handle: (agent, proxy text or null) -> handle or null. The default is
  // the platform's; tests pass a slower one to widen the first-fetch race.
  using OpenFn = void* (*)(const char* agent, const char* proxy);

  explicit HttpClient(OpenFn open = nullptr);
  ~HttpClient() { CloseSession(); }

  // One GET of `url`. Whatever body bytes arrived (complete, cut short, or none) are left in
  // `body`; no failure is reported beyond that.
  void Fetch(const char* url, GrowBuffer& body);
  // Releases the internet handle; a later fetch opens a new one.
  void CloseSession();

  uint32_t SessionOpenCount() const { return opens_.load(); }
  bool SessionOpen();

 private:
  // The internet handle, opened under the lock so that threads making their first fetch
  // together share one handle. Null when it cannot be opened.
  void* Session();
  void FetchSteps(const char* url, GrowBuffer& body, void*& connection, void*& request);

  OpenFn open_;
  std::mutex lock_;
  void* session_ = nullptr;
  std::atomic<uint32_t> opens_{0};
  // No command sets these; they stay empty, which means a direct connection.
  std::string proxy_;
  std::string proxyUser_;
  std::string proxyPassword_;
};

HttpClient& ModuleClient();

}  // namespace net
