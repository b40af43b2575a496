#include <winsock2.h>

#include "tests/blackbox/driver/test_site.h"

#include <algorithm>
#include <cstdlib>

namespace driver {

TestSite::TestSite() {
  WSADATA wsa;
  WSAStartup(MAKEWORD(2, 2), &wsa);
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  listener_ = static_cast<uintptr_t>(s);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  bind(s, reinterpret_cast<sockaddr*>(&a), sizeof a);
  listen(s, 16);
  int length = sizeof a;
  getsockname(s, reinterpret_cast<sockaddr*>(&a), &length);
  port_ = ntohs(a.sin_port);
  thread_ = std::thread([this] { Serve(); });
}

TestSite::~TestSite() {
  stopping_ = true;
  closesocket(static_cast<SOCKET>(listener_));
  thread_.join();
  for (std::thread& t : answering_) t.join();
  for (uintptr_t c : held_) closesocket(static_cast<SOCKET>(c));
}

void TestSite::SetPage(int id, int status, const std::string& body, Manner manner, DWORD delayMs) {
  std::lock_guard<std::mutex> hold(mutex_);
  pages_[id] = {status, body, manner, delayMs};
}

std::vector<std::string> TestSite::Requests() {
  std::lock_guard<std::mutex> hold(mutex_);
  return requests_;
}

int TestSite::MostAtOnce() {
  std::lock_guard<std::mutex> hold(mutex_);
  return mostAtOnce_;
}

void TestSite::Serve() {
  while (!stopping_) {
    SOCKET c = accept(static_cast<SOCKET>(listener_), nullptr, nullptr);
    if (c == INVALID_SOCKET) return;
    answering_.emplace_back([this, c] { Answer(static_cast<uintptr_t>(c)); });
  }
}

void TestSite::Answer(uintptr_t connection) {
  auto c = static_cast<SOCKET>(connection);
  DWORD timeout = 5000;
  setsockopt(c, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  BOOL noDelay = TRUE;  // the answer's last byte goes by itself and must not wait for an ACK
  setsockopt(c, IPPROTO_TCP, TCP_NODELAY, reinterpret_cast<const char*>(&noDelay), sizeof noDelay);
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    int n = recv(c, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
  }
  Page page{404, "", Manner::Whole, 0};
  size_t at = request.find("/movie/");
  {
    std::lock_guard<std::mutex> hold(mutex_);
    requests_.push_back(request);
    mostAtOnce_ = std::max(mostAtOnce_, ++answeringNow_);
    if (at != std::string::npos) {
      auto found = pages_.find(std::atoi(request.c_str() + at + 7));
      if (found != pages_.end()) page = found->second;
    }
    if (page.manner == Manner::Never) {
      held_.push_back(connection);
      return;  // still being answered, as far as the scan can tell
    }
  }
  if (page.delayMs) Sleep(page.delayMs);
  std::string head = "HTTP/1.0 " + std::to_string(page.status) + (page.status == 200 ? " OK" : " Not Found") +
                     "\r\nContent-Length: " + std::to_string(page.body.size()) + "\r\n\r\n";
  std::string body = page.body;
  if (page.manner == Manner::CutShort) body.resize(body.size() / 2);  // the length promises twice as much
  std::string response = head + body;
  // The last byte goes out only after this answer stops counting as under way: a client that
  // asks again once it has the whole answer is then never counted as asking twice at once.
  std::string last = response.substr(response.size() - 1);
  response.pop_back();
  if (page.manner == Manner::Trickle) {
    // Ten pieces a tenth of a second apart.
    size_t piece = response.size() / 10 + 1;
    for (size_t from = 0; from < response.size(); from += piece) {
      send(c, response.data() + from, static_cast<int>(std::min(piece, response.size() - from)), 0);
      Sleep(100);
    }
  } else {
    send(c, response.data(), static_cast<int>(response.size()), 0);
  }
  {
    std::lock_guard<std::mutex> hold(mutex_);
    --answeringNow_;
  }
  send(c, last.data(), 1, 0);
  shutdown(c, SD_SEND);
  closesocket(c);
}

}  // namespace driver
