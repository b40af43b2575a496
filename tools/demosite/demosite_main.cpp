// The bundled demo movie site: serves /movie/<id> on 127.0.0.1 so the program can be tried
// and tested with no outside network.
//   demosite [--port N] [--delay-ms N]
#include <winsock2.h>
#include <ws2tcpip.h>

#include <cstdio>
#include <cstdlib>
#include <condition_variable>
#include <cstring>
#include <deque>
#include <mutex>
#include <string>
#include <thread>

#include "tools/demosite/movie_pages.h"

namespace {
int g_delayMs = 0;

// Connections wait here for one of a fixed set of serving threads. A thread for every
// connection made the site slower and slower over tens of thousands of requests under Wine.
constexpr int kServers = 8;
std::mutex g_lock;
std::condition_variable g_ready;
std::deque<SOCKET> g_waiting;

std::string RequestPath(const std::string& request) {
  size_t sp1 = request.find(' ');
  if (sp1 == std::string::npos) return "/";
  size_t sp2 = request.find(' ', sp1 + 1);
  return request.substr(sp1 + 1, sp2 == std::string::npos ? std::string::npos : sp2 - sp1 - 1);
}

void Serve(SOCKET client) {
  DWORD timeout = 10000;  // a client that never finishes its request is dropped
  setsockopt(client, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&timeout), sizeof timeout);
  std::string request;
  char buffer[2048];
  while (request.find("\r\n\r\n") == std::string::npos && request.size() < 65536) {
    int n = recv(client, buffer, sizeof buffer, 0);
    if (n <= 0) break;
    request.append(buffer, static_cast<size_t>(n));
  }
  if (g_delayMs > 0) Sleep(static_cast<DWORD>(g_delayMs));
  demosite::Page page = demosite::PageForPath(RequestPath(request));
  std::string response = std::string("HTTP/1.0 ") + (page.status == 200 ? "200 OK" : "404 Not Found") +
                         "\r\nContent-Type: text/html; charset=utf-8\r\nContent-Length: " +
                         std::to_string(page.body.size()) + "\r\nConnection: close\r\n\r\n" + page.body;
  size_t sent = 0;
  while (sent < response.size()) {
    int n = send(client, response.data() + sent, static_cast<int>(response.size() - sent), 0);
    if (n <= 0) break;
    sent += static_cast<size_t>(n);
  }
  shutdown(client, SD_SEND);
  closesocket(client);
}
}  // namespace

int main(int argc, char** argv) {
  int port = 8642;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--port") && i + 1 < argc)
      port = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--delay-ms") && i + 1 < argc)
      g_delayMs = std::atoi(argv[++i]);
    else {
      std::fprintf(stderr, "usage: demosite [--port N] [--delay-ms N]\n");
      return 2;
    }
  }
  WSADATA wsa;
  if (WSAStartup(MAKEWORD(2, 2), &wsa) != 0) return 1;
  SOCKET listener = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  sockaddr_in address{};
  address.sin_family = AF_INET;
  address.sin_port = htons(static_cast<u_short>(port));
  address.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  if (bind(listener, reinterpret_cast<sockaddr*>(&address), sizeof address) != 0 || listen(listener, 64) != 0) {
    std::fprintf(stderr, "demosite: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("demosite: serving http://127.0.0.1:%d/movie/<id>\n", port);
  std::fflush(stdout);
  for (int i = 0; i < kServers; ++i) {
    std::thread([] {
      for (;;) {
        std::unique_lock<std::mutex> hold(g_lock);
        g_ready.wait(hold, [] { return !g_waiting.empty(); });
        SOCKET client = g_waiting.front();
        g_waiting.pop_front();
        hold.unlock();
        Serve(client);
      }
    }).detach();
  }
  for (;;) {
    SOCKET client = accept(listener, nullptr, nullptr);
    if (client == INVALID_SOCKET) continue;
    {
      std::lock_guard<std::mutex> hold(g_lock);
      g_waiting.push_back(client);
    }
    g_ready.notify_one();
  }
}
