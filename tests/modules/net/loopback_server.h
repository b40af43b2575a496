// A small HTTP server on 127.0.0.1 for the fetch tests: one listening thread on an ephemeral
// port, one thread per connection, every loop bounded so it ends by itself.
#pragma once
#include <winsock2.h>

#include <atomic>
#include <cstdint>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace nettest {

class LoopbackServer {
 public:
  // Called on the connection's thread with the request head as received (up to and including
  // the blank line). The socket is closed when the handler returns.
  using Handler = std::function<void(SOCKET, const std::string& request)>;

  explicit LoopbackServer(Handler handler);
  ~LoopbackServer();

  uint16_t port() const { return port_; }
  std::string Url(const std::string& path) const;
  std::vector<std::string> Requests();
  // For handlers that keep a connection silent: waits until the server stops or maxMs pass.
  void HoldUntilStopped(uint32_t maxMs);

 private:
  void AcceptLoop();
  void Serve(SOCKET s);

  Handler handler_;
  SOCKET listener_ = INVALID_SOCKET;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::mutex lock_;
  std::vector<std::thread> connections_;
  std::vector<std::string> requests_;
};

bool SendAll(SOCKET s, const std::string& bytes);
// Status line, optional Content-Length, blank line, body.
std::string Response(int status, const std::string& body, bool withLength);
// A port on 127.0.0.1 that nothing listens on.
uint16_t ClosedPort();

}  // namespace nettest
