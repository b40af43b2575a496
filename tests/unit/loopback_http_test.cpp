// The loopback HTTP server the demo site and the tests share: the bytes each page manner puts
// on the wire, requests recorded as received, connections held open, and the helpers.
#include <winsock2.h>
#include <windows.h>

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <string>

#include "tools/loopback_http/page_site.h"

namespace {

// A client socket on 127.0.0.1:port, or INVALID_SOCKET.
SOCKET Connect(uint16_t port, DWORD receiveTimeoutMs) {
  SOCKET s = socket(AF_INET, SOCK_STREAM, IPPROTO_TCP);
  setsockopt(s, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&receiveTimeoutMs), sizeof receiveTimeoutMs);
  sockaddr_in a{};
  a.sin_family = AF_INET;
  a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
  a.sin_port = htons(port);
  if (connect(s, reinterpret_cast<sockaddr*>(&a), sizeof a) != 0) {
    closesocket(s);
    return INVALID_SOCKET;
  }
  return s;
}

// Everything the server sends until it closes (or the receive time-out passes); closed tells which.
std::string ReadAll(SOCKET s, bool* closed = nullptr) {
  std::string got;
  char buffer[4096];
  int n;
  while ((n = recv(s, buffer, sizeof buffer, 0)) > 0) got.append(buffer, static_cast<size_t>(n));
  if (closed) *closed = n == 0;
  return got;
}

std::string Get(uint16_t port, const std::string& path) {
  SOCKET s = Connect(port, 10000);
  if (s == INVALID_SOCKET) return "no connection";
  std::string request = "GET " + path + " HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n";
  send(s, request.data(), static_cast<int>(request.size()), 0);
  std::string answer = ReadAll(s);
  closesocket(s);
  return answer;
}

using Manner = loopback::PageSite::Manner;

TEST(LoopbackHttp, PageSiteSendsEachMannerAsPromisedAndRecordsEveryRequest) {
  loopback::PageSite site;
  site.SetPage(1, 200, "whole body");
  site.SetPage(2, 200, "0123456789", Manner::CutShort);
  std::string long_body(3000, 't');
  site.SetPage(3, 200, long_body, Manner::Trickle);
  site.SetPage(4, 404, "gone", Manner::Whole, 50);

  EXPECT_EQ(Get(site.port(), "/movie/1"), "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\nwhole body");
  // The length promises all ten bytes; half of them come before the close.
  EXPECT_EQ(Get(site.port(), "/movie/2"), "HTTP/1.0 200 OK\r\nContent-Length: 10\r\n\r\n01234");
  EXPECT_EQ(Get(site.port(), "/movie/3"), "HTTP/1.0 200 OK\r\nContent-Length: 3000\r\n\r\n" + long_body);
  EXPECT_EQ(Get(site.port(), "/movie/4"), "HTTP/1.0 404 Not Found\r\nContent-Length: 4\r\n\r\ngone");
  EXPECT_EQ(Get(site.port(), "/movie/77"), "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");
  EXPECT_EQ(Get(site.port(), "/other"), "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");

  auto requests = site.Requests();
  ASSERT_EQ(requests.size(), 6u);
  EXPECT_EQ(requests[0], "GET /movie/1 HTTP/1.0\r\nHost: 127.0.0.1\r\n\r\n");
  EXPECT_EQ(requests[5].substr(0, 15), "GET /other HTTP");
  // One request after another: never two under way, though each answer's last byte is what
  // lets the client ask again.
  EXPECT_EQ(site.MostAtOnce(), 1);
}

TEST(LoopbackHttp, NeverAnsweredRequestStaysOpenAndCountsUntilTheSiteStops) {
  auto site = std::make_unique<loopback::PageSite>();
  site->SetPage(5, 200, "never sent", Manner::Never);
  SOCKET held = Connect(site->port(), 300);
  ASSERT_NE(held, INVALID_SOCKET);
  const std::string request = "GET /movie/5 HTTP/1.0\r\n\r\n";
  send(held, request.data(), static_cast<int>(request.size()), 0);
  bool closed = true;
  EXPECT_EQ(ReadAll(held, &closed), "");
  EXPECT_FALSE(closed) << "the held connection ended before the site stopped";
  // A second request while the first is still being answered.
  EXPECT_EQ(Get(site->port(), "/movie/6"), "HTTP/1.0 404 Not Found\r\nContent-Length: 0\r\n\r\n");
  EXPECT_EQ(site->MostAtOnce(), 2);

  site.reset();
  DWORD longer = 10000;
  setsockopt(held, SOL_SOCKET, SO_RCVTIMEO, reinterpret_cast<const char*>(&longer), sizeof longer);
  EXPECT_EQ(ReadAll(held, &closed), "");
  EXPECT_TRUE(closed) << "stopping the site closes what it held";
  closesocket(held);
}

TEST(LoopbackHttp, ServingThreadsAnswerCompleteRequestsAndDropUnfinishedOnes) {
  loopback::ServerOptions options;
  options.servingThreads = 2;
  options.receiveTimeoutMs = 2000;
  std::atomic<int> handled{0};
  loopback::HttpServer server(options, [&](loopback::Connection& c, const std::string& request) {
    ++handled;
    c.Send(loopback::Response(200, loopback::RequestPath(request), "text/plain", false, "X-Test: 1\r\n"));
  });
  ASSERT_TRUE(server.listening());
  EXPECT_EQ(Get(server.port(), "/a?b=1"), "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nX-Test: 1\r\n\r\n/a?b=1");

  // A client that goes away before its blank line is recorded but not answered.
  SOCKET s = Connect(server.port(), 5000);
  ASSERT_NE(s, INVALID_SOCKET);
  send(s, "GET /half HTTP/1.0\r\n", 20, 0);
  shutdown(s, SD_SEND);
  EXPECT_EQ(ReadAll(s), "");
  closesocket(s);
  EXPECT_EQ(Get(server.port(), "/after"), "HTTP/1.0 200 OK\r\nContent-Type: text/plain\r\nX-Test: 1\r\n\r\n/after");
  EXPECT_EQ(handled.load(), 2);
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 3u);
  EXPECT_EQ(requests[1], "GET /half HTTP/1.0\r\n");
}

TEST(LoopbackHttp, HelpersParseHeadsAndFindPorts) {
  EXPECT_EQ(loopback::RequestPath("GET /movie/12?a=1 HTTP/1.0\r\n\r\n"), "/movie/12?a=1");
  EXPECT_EQ(loopback::RequestPath("GET /no-version"), "/no-version");
  EXPECT_EQ(loopback::RequestPath(""), "/");
  long long id = -1;
  EXPECT_TRUE(loopback::MovieId("GET /movie/4294967301 HTTP/1.0\r\n", id));
  EXPECT_EQ(id, 4294967301LL);
  EXPECT_FALSE(loopback::MovieId("GET /film/4 HTTP/1.0\r\n", id));
  EXPECT_EQ(loopback::Response(503, "x", "", true), "HTTP/1.0 503 Service Unavailable\r\nContent-Length: 1\r\n\r\nx");

  uint16_t port = loopback::FreePort();
  ASSERT_NE(port, 0);
  EXPECT_FALSE(loopback::WaitUntilAccepting(port, 100));
  loopback::ServerOptions options;
  options.port = port;
  loopback::HttpServer server(options, [](loopback::Connection&, const std::string&) {});
  ASSERT_TRUE(server.listening());
  EXPECT_EQ(server.port(), port);
  EXPECT_TRUE(loopback::WaitUntilAccepting(port, 5000));
  // A port already taken cannot be listened on again.
  loopback::HttpServer second(options, [](loopback::Connection&, const std::string&) {});
  EXPECT_FALSE(second.listening());
}

}  // namespace
