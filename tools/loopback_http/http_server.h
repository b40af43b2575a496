// A small HTTP server on 127.0.0.1 for the demo site, the tests and the benchmarks. One
// listening thread accepts; each connection is served either on a thread of its own (as a
// real site serves requests side by side) or by one of a fixed set of serving threads. The
// request head is read, recorded, and handed to the handler, which writes the answer.
// Depends on Winsock only; the header keeps winsock2.h out so that files which include
// windows.h first can use it.
#pragma once
#include <atomic>
#include <condition_variable>
#include <cstdint>
#include <deque>
#include <functional>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace loopback {

// One accepted connection, as the handler sees it.
class Connection {
 public:
  explicit Connection(uintptr_t socket) : socket_(socket) {}
  // Sends all of the bytes; false once the client has gone.
  bool Send(const std::string& bytes);
  // Leaves the connection open and silent after the handler returns, until the server stops:
  // a request still being answered, as far as the client can tell.
  void HoldOpen() { held_ = true; }
  bool held() const { return held_; }
  uintptr_t socket() const { return socket_; }

 private:
  uintptr_t socket_;
  bool held_ = false;
};

struct ServerOptions {
  uint16_t port = 0;               // 0: an ephemeral port
  int servingThreads = 0;          // 0: a thread for every connection
  uint32_t receiveTimeoutMs = 5000;  // a client that never finishes its request is dropped
  bool noDelay = false;            // send small pieces at once (TCP_NODELAY)
  bool recordRequests = true;
  uint32_t lifetimeMs = 0;         // stop accepting after this long; 0: until destroyed
};

class HttpServer {
 public:
  // Called with each complete request head (up to and including the blank line). The
  // connection is shut down and closed when the handler returns, unless it is held open.
  using Handler = std::function<void(Connection&, const std::string& request)>;

  HttpServer(ServerOptions options, Handler handler);
  explicit HttpServer(Handler handler) : HttpServer(ServerOptions(), std::move(handler)) {}
  ~HttpServer();
  HttpServer(const HttpServer&) = delete;
  HttpServer& operator=(const HttpServer&) = delete;

  bool listening() const { return listening_; }  // false when the port could not be bound
  uint16_t port() const { return port_; }
  std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
  std::string Url(const std::string& path) const { return "http://" + Host() + path; }
  // Every request head received so far, complete or not, in order of arrival.
  std::vector<std::string> Requests();

 private:
  void AcceptLoop();
  void Serve(uintptr_t socket);

  ServerOptions options_;
  Handler handler_;
  uintptr_t listener_;
  bool listening_ = false;
  uint16_t port_ = 0;
  std::atomic<bool> stopping_{false};
  std::thread acceptor_;
  std::mutex lock_;
  std::condition_variable ready_;
  std::deque<uintptr_t> waiting_;         // accepted, for the serving threads
  std::vector<std::thread> threads_;      // serving threads, or one a connection
  std::vector<uintptr_t> held_;           // closed when the server stops
  std::vector<std::string> requests_;
};

// "HTTP/1.0 <status> <reason>", the Content-Type (none when empty), the Content-Length when
// asked for, any further header lines (each ending in CRLF), the blank line and the body.
std::string Response(int status, const std::string& body, const std::string& contentType = "text/html",
                     bool withLength = true, const std::string& moreHeaders = "");
// The request target of a request head ("/" when there is none).
std::string RequestPath(const std::string& request);
// The number after the first "/movie/" in a request head; false when there is none.
bool MovieId(const std::string& request, long long& id);
// A port on 127.0.0.1 that nothing listens on (bound once, then released).
uint16_t FreePort();
// Polls until a connection to 127.0.0.1:port is accepted, for at most maxMs.
bool WaitUntilAccepting(uint16_t port, uint32_t maxMs);

}  // namespace loopback
