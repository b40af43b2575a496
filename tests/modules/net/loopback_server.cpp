#include "tests/modules/net/loopback_server.h"

#include <ws2tcpip.h>

#include <chrono>

namespace nettest {
namespace {
// The whole server stops accepting after this long even if the test forgets it.
constexpr auto kLifetime = std::chrono::seconds(25);

void StartWinsock() {
  static bool started = [] {
    WSADATA data;
    return WSAStartup(MAKEWORD(2, 2), &data) == 0;
  }();
  (void)started;
}

SOCKET BoundSocket(uint16_t& port) {
  StartWinsock();
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = 0;
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  int len = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &len);
  port = ntohs(a.sin_port);
  return s;
}
}  // namespace

LoopbackServer::LoopbackServer(Handler handler) : handler_(std::move(handler)) {
  listener_ = BoundSocket(port_);
  listen(listener_, 64);
  acceptor_ = std::thread([this] { AcceptLoop(); });
}

LoopbackServer::~LoopbackServer() {
  stopping_ = true;
  acceptor_.join();
  closesocket(listener_);
  std::vector<std::thread> connections;
  {
    std::lock_guard<std::mutex> hold(lock_);
    connections.swap(connections_);
  }
  for (auto& t : connections) t.join();
}

std::string LoopbackServer::Url(const std::string& path) const {
  return "http://127.0.0.1:" + std::to_string(port_) + path;
}

std::vector<std::string> LoopbackServer::Requests() {
  std::lock_guard<std::mutex> hold(lock_);
  return requests_;
}

void LoopbackServer::HoldUntilStopped(uint32_t maxMs) {
  auto until = std::chrono::steady_clock::now() + std::chrono::milliseconds(maxMs);
  while (!stopping_ && std::chrono::steady_clock::now() < until)
    std::this_thread::sleep_for(std::chrono::milliseconds(20));
}

void LoopbackServer::AcceptLoop() {
  auto until = std::chrono::steady_clock::now() + kLifetime;
  while (!stopping_ && std::chrono::steady_clock::now() < until) {
    fd_set readable;
    FD_ZERO(&readable);
    FD_SET(listener_, &readable);
    timeval wait{0, 50000};
    if (select(0, &readable, nullptr, nullptr, &wait) != 1) continue;
    SOCKET s = accept(listener_, nullptr, nullptr);
    if (s == INVALID_SOCKET) continue;
    std::lock_guard<std::mutex> hold(lock_);
    connections_.emplace_back([this, s] { Serve(s); });
  }
}

void LoopbackServer::Serve(SOCKET s) {
  DWORD timeout = 2000;  // clients here send their request at once
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string head;
  char buffer[2048];
  while (head.find("\r\n\r\n") == std::string::npos && head.size() < 65536) {
    int got = recv(s, buffer, sizeof buffer, 0);
    if (got <= 0) break;
    head.append(buffer, got);
  }
  {
    std::lock_guard<std::mutex> hold(lock_);
    requests_.push_back(head);
  }
  if (head.find("\r\n\r\n") != std::string::npos) handler_(s, head);
  shutdown(s, SD_SEND);
  closesocket(s);
}

bool SendAll(SOCKET s, const std::string& bytes) {
  size_t sent = 0;
  while (sent < bytes.size()) {
    int n = send(s, bytes.data() + sent, static_cast<int>(bytes.size() - sent), 0);
    if (n <= 0) return false;
    sent += n;
  }
  return true;
}

std::string Response(int status, const std::string& body, bool withLength) {
  std::string r = "HTTP/1.0 " + std::to_string(status) + (status == 200 ? " OK" : " Not Found") + "\r\n";
  r += "Content-Type: text/html\r\n";
  if (withLength) r += "Content-Length: " + std::to_string(body.size()) + "\r\n";
  r += "\r\n";
  return r + body;
}

uint16_t ClosedPort() {
  uint16_t port = 0;
  SOCKET s = BoundSocket(port);
  closesocket(s);
  return port;
}

}  // namespace nettest
