#include <winsock2.h>
#include <ws2tcpip.h>
#include <windows.h>

#include "tools/loopback_http/http_server.h"

#include <chrono>
#include <cstdlib>

namespace loopback {
namespace {
void StartWinsock() {
  static bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

SOCKET Sock(uintptr_t s) { return static_cast<SOCKET>(s); }

// A socket bound to 127.0.0.1:port (0 for any free port); the port it got is written back.
SOCKET BoundSocket(uint16_t& port, bool& bound) {
  StartWinsock();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  bound = s != INVALID_SOCKET && bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
  int length = sizeof a;
  if (bound && getsockname(s, reinterpret_cast<sockaddr*>(&a), &length) == 0) port = ntohs(a.sin_port);
  return s;
}

const char* Reason(int status) {
  switch (status) {
    case 200: return "OK";
    case 404: return "Not Found";
    case 500: return "Internal Server Error";
    case 503: return "Service Unavailable";
    default: return "Status";
  }
}
}  // namespace

bool Connection::Send(const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    int n = send(Sock(socket_), bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += static_cast<size_t>(n);
  }
  return true;
}

HttpServer::HttpServer(ServerOptions options, Handler handler)
    : options_(options), handler_(std::move(handler)) {
  port_ = options_.port;
  SOCKET s = BoundSocket(port_, listening_);
  listener_ = static_cast<uintptr_t>(s);
  listening_ = listening_ && listen(s, 64) == 0;
  if (!listening_) return;
  for (int i = 0; i < options_.servingThreads; ++i) {
    threads_.emplace_back([this] {
      for (;;) {
        std::unique_lock<std::mutex> hold(lock_);
        ready_.wait(hold, [this] { return stopping_ || !waiting_.empty(); });
        if (waiting_.empty()) return;
        uintptr_t client = waiting_.front();
        waiting_.pop_front();
        hold.unlock();
        Serve(client);
      }
    });
  }
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

HttpServer::~HttpServer() {
  {
    std::lock_guard<std::mutex> hold(lock_);
    stopping_ = true;
  }
  ready_.notify_all();
  if (acceptor_.joinable()) acceptor_.join();
  closesocket(Sock(listener_));
  // Only the acceptor adds threads, and it has ended.
  for (std::thread& t : threads_) t.join();
  for (uintptr_t s : waiting_) closesocket(Sock(s));
  for (uintptr_t s : held_) closesocket(Sock(s));
}

std::vector<std::string> HttpServer::Requests() {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void HttpServer::AcceptLoop() {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(options_.lifetimeMs);
  while (!stopping_ && (options_.lifetimeMs == 0 || std::chrono::steady_clock::now() < until)) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(Sock(listener_), &readable);
    timeval wait{0, 50000};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) continue;
    SOCKET s = accept(Sock(listener_), nullptr, nullptr);
    if (s == INVALID_SOCKET) continue;
    auto client = static_cast<uintptr_t>(s);
    std::lock_guard<std::mutex> hold(lock_);
    if (options_.servingThreads > 0) {
      waiting_.push_back(client);
      ready_.notify_one();
    } else {
      threads_.emplace_back([this, client] { Serve(client); });
    }
  }
}

void HttpServer::Serve(uintptr_t socket) {
  SOCKET s = Sock(socket);
  DWORD timeout = options_.receiveTimeoutMs;
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  if (options_.noDelay) {
    BOOL noDelay = TRUE;
    setsockopt(s, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  }
  std::string head;
  char buffer[2048];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    int got = recv(s, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    head.append(buffer, static_cast<size_t>(got));
  }
  if (options_.recordRequests) {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(head);
  }
  Connection connection(socket);
  if (head.find("\r\n\r\n") != std::string::npos) handler_(connection, head);
  if (connection.held()) {
    std::lock_guard<std::mutex> hold(lock_);
    held_.push_back(socket);
    return;
  }
  shutdown(s, SD_SEND);
  closesocket(s);
}

std::string Response(int status, const std::string& body, const std::string& contentType, bool withLength,
                     const std::string& moreHeaders) {
  std::string r = "HTTP/1.0 " + std::to_string(status) + " " + Reason(status) + "\r\n";
  if (!contentType.empty()) r += "Content-Type: " + contentType + "\r\n";
  if (withLength) r += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  return r + moreHeaders + "\r\n" + body;
}

std::string RequestPath(const std::string& request) {
  size_t sp1 = request.find(' ');
  if (sp1 == std::string::npos) return "/";
  size_t sp2 = request.find(' ', sp1 + 1);
  return request.substr(sp1 + 1, sp2 == std::string::npos ? std::string::npos : sp2 - sp1 - 1);
}

bool MovieId(const std::string& request, long long& id) {
  size_t at = request.find("/movie/");
  if (at == std::string::npos) return false;
  id = std::atoll(request.c_str() + at + 7);
  return true;
}

uint16_t FreePort() {
  uint16_t port = 0;
  bool bound = false;
  closesocket(BoundSocket(port, bound));
  return port;
}

bool WaitUntilAccepting(uint16_t port, uint32_t maxMs) {
  StartWinsock();
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
  for (;;) {
    SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    a.sin_port = htons(port);
    bool accepted = connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) == 0;
    closesocket(s);
    if (accepted) return true;
    if (std::chrono::steady_clock::now() >= until) return false;
    Sleep(20);
  }
}

}  // namespace loopback
