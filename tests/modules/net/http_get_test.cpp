// HttpGet against a real HTTP server on 127.0.0.1 inside the test process.
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstring>
#include <thread>

#include <winsock2.h>
#include <windows.h>
#include <wininet.h>

#include "modules/net/fetch_limits.h"
#include "modules/net/http_client.h"
#include "modules/net/net_module.h"
#include "modules/net/small_block_pool.h"
#include "tools/loopback_http/http_server.h"
#include "tests/support/test_image.h"

using loopback::Connection;

namespace {

// The fetch tests' server: clients here send their request at once, and a server a test
// forgets stops accepting by itself.
struct LoopbackServer : loopback::HttpServer {
  explicit LoopbackServer(Handler handler) : HttpServer(Options(), std::move(handler)) {}
  static loopback::ServerOptions Options() {
    loopback::ServerOptions o;
    o.receiveTimeoutMs = 2000;
    o.lifetimeMs = 25000;
    return o;
  }
};

std::string Response(int status, const std::string& body, bool withLength) {
  return loopback::Response(status, body, "text/html", withLength);
}

struct Fetched {
  bool empty = true;  // the null byte array
  std::string bytes;
  double seconds = 0;
};

// Calls the command through NetLib's command table, as compiled code would, and takes the
// result apart before freeing it through the runtime.
Fetched Get(const std::string& url) {
  testimg::InitRuntime();
  CmdArg arg = MakeText(url.c_str());
  CmdArg result{};
  auto start = std::chrono::steady_clock::now();
  kNetLibDescriptor.commands[kNetHttpGet](&result, 1, &arg);
  Fetched f;
  f.seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
  EXPECT_EQ(result.type, tc::ByteArray);
  void* block = ArgPtr(result);
  if (block) {
    f.empty = false;
    EXPECT_EQ(static_cast<uint32_t*>(block)[0], 1u);
    f.bytes.assign(reinterpret_cast<const char*>(ByteArrayData(block)), ByteArrayLength(block));
    NetLibService()(svc::Free, Word(block), 0);
  }
  return f;
}

// Every byte value, repeated: catches text handling, zero bytes and misplaced chunks.
std::string Binary(size_t n, unsigned seed = 0) {
  std::string s(n, '\0');
  for (size_t i = 0; i < n; ++i) s[i] = static_cast<char>((i * 7 + i / 251 + seed) & 0xFF);
  return s;
}

LoopbackServer::Handler Answer(int status, std::string body, bool withLength) {
  return [=](Connection& s, const std::string&) { s.Send(Response(status, body, withLength)); };
}

class HttpGetTest : public ::testing::Test {
 protected:
  void SetUp() override {
    testimg::InitRuntime();
    NetSetTimeoutsForTesting(0);
    NetSetBodyCapForTesting(0);
  }
  void TearDown() override {
    NetSetTimeoutsForTesting(0);
    NetSetBodyCapForTesting(0);
  }
};

TEST_F(HttpGetTest, SendsTheRequestLineAndHeadersWithoutTheFragment) {
  LoopbackServer server(Answer(200, "hello", true));
  Fetched f = Get(server.Url("/movie/12?a=1#top"));
  EXPECT_FALSE(f.empty);
  EXPECT_EQ(f.bytes, "hello");

  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 1u);
  const std::string& r = requests[0];
  EXPECT_EQ(r.substr(0, r.find("\r\n")), "GET /movie/12?a=1 HTTP/1.0") << r;
  EXPECT_NE(r.find("\r\nUser-Agent: Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)\r\n"), std::string::npos) << r;
  // The accept list and the extra header both say */*; the server sees it once.
  EXPECT_NE(r.find("\r\nAccept: */*\r\n"), std::string::npos) << r;
  EXPECT_EQ(r.find("Accept", r.find("Accept") + 1), std::string::npos) << r;
  EXPECT_EQ(r.find("Authorization"), std::string::npos) << r;
  EXPECT_NE(r.find("\r\nHost: 127.0.0.1:" + std::to_string(server.port()) + "\r\n"), std::string::npos) << r;
  EXPECT_EQ(r.find('#'), std::string::npos) << r;
  EXPECT_EQ(r.find("top"), std::string::npos) << r;
}

TEST_F(HttpGetTest, ACookieTheSiteSetsIsNeverSentBack) {
  LoopbackServer server([](Connection& s, const std::string&) {
    s.Send("HTTP/1.0 200 OK\r\nSet-Cookie: visit=1; path=/\r\nContent-Length: 2\r\n\r\nok");
  });
  EXPECT_EQ(Get(server.Url("/movie/1")).bytes, "ok");
  EXPECT_EQ(Get(server.Url("/movie/2")).bytes, "ok");
  auto requests = server.Requests();
  ASSERT_EQ(requests.size(), 2u);
  EXPECT_EQ(requests[1].find("Cookie"), std::string::npos) << requests[1];
}

TEST_F(HttpGetTest, ReturnsBodiesByteExactWithAndWithoutContentLength) {
  struct Case {
    size_t size;
    bool withLength;
  } cases[] = {{1, true}, {300, true}, {511, false}, {10240, false}, {10241, false},
               {150000, true}, {150000, false}, {409600, true}};
  for (const Case& c : cases) {
    std::string body = Binary(c.size, static_cast<unsigned>(c.size));
    LoopbackServer server(Answer(200, body, c.withLength));
    Fetched f = Get(server.Url("/movie/1"));
    ASSERT_FALSE(f.empty) << c.size;
    EXPECT_EQ(f.bytes.size(), body.size()) << c.size << " length " << c.withLength;
    EXPECT_TRUE(f.bytes == body) << c.size << " length " << c.withLength;
  }
  EXPECT_EQ(net::ModulePool().UsedCount(), 0u);
}

TEST_F(HttpGetTest, EmptyBodyIsTheEmptyByteArray) {
  LoopbackServer server(Answer(200, "", true));
  EXPECT_TRUE(Get(server.Url("/movie/2")).empty);
  LoopbackServer unannounced(Answer(200, "", false));
  EXPECT_TRUE(Get(unannounced.Url("/movie/2")).empty);
}

TEST_F(HttpGetTest, NotFoundBodyIsReturned) {
  std::string page = "<html><title>404</title>gone</html>";
  LoopbackServer server(Answer(404, page, true));
  Fetched f = Get(server.Url("/movie/404"));
  EXPECT_EQ(f.bytes, page);
}

TEST_F(HttpGetTest, SilentServerReturnsAfterTheTimeout) {
  NetSetTimeoutsForTesting(1000);
  LoopbackServer server([](Connection& s, const std::string&) { s.HoldOpen(); });
  Fetched f = Get(server.Url("/movie/3"));
  EXPECT_TRUE(f.empty);
  // The server holds the connection until the test ends; only the time-out can end the call.
  EXPECT_LT(f.seconds, 8.0);
  EXPECT_EQ(server.Requests().size(), 1u);
}

TEST_F(HttpGetTest, ServerFallingSilentHalfWayGivesThePartReceived) {
  NetSetTimeoutsForTesting(1000);
  std::string body = Binary(100000);
  std::string part = body.substr(0, 40000);
  LoopbackServer server([&](Connection& s, const std::string&) {
    std::string reply = Response(200, body, true);
    s.Send(reply.substr(0, reply.size() - body.size() + part.size()));
    s.HoldOpen();
  });
  Fetched f = Get(server.Url("/movie/4"));
  EXPECT_LT(f.seconds, 8.0);
  EXPECT_EQ(f.bytes.size(), part.size());
  EXPECT_TRUE(f.bytes == part);
}

TEST_F(HttpGetTest, ConnectionClosedHalfWayGivesThePartReceived) {
  std::string body = Binary(50000);
  std::string part = body.substr(0, 20000);
  LoopbackServer server([&](Connection& s, const std::string&) {
    std::string reply = Response(200, body, true);
    s.Send(reply.substr(0, reply.size() - body.size() + part.size()));
  });
  Fetched f = Get(server.Url("/movie/5"));
  EXPECT_EQ(f.bytes.size(), part.size());
  EXPECT_TRUE(f.bytes == part);
}

TEST_F(HttpGetTest, EndlessBodyStopsAtTheCap) {
  const uint32_t cap = 300000;
  NetSetBodyCapForTesting(cap);
  std::string chunk = Binary(65536);
  // Sends until the client goes away; bounded at 64 MiB in case it never does.
  LoopbackServer server([&](Connection& s, const std::string&) {
    if (!s.Send("HTTP/1.0 200 OK\r\nContent-Type: application/octet-stream\r\n\r\n")) return;
    for (int i = 0; i < 1024 && s.Send(chunk); ++i) {
    }
  });
  Fetched f = Get(server.Url("/movie/6"));
  ASSERT_EQ(f.bytes.size(), cap);
  std::string expected;
  while (expected.size() < cap) expected += chunk;
  expected.resize(cap);
  EXPECT_TRUE(f.bytes == expected);
}

TEST_F(HttpGetTest, FailuresGiveTheEmptyByteArray) {
  EXPECT_TRUE(Get("http://127.0.0.1:" + std::to_string(loopback::FreePort()) + "/movie/7").empty);
  EXPECT_TRUE(Get("not a url").empty);
  // An ftp URL goes to the ftp service, which cannot talk to an HTTP server: no GET is sent.
  LoopbackServer server(Answer(200, "never for ftp", true));
  EXPECT_TRUE(Get("ftp://127.0.0.1:" + std::to_string(server.port()) + "/movie/8").empty);
  for (const std::string& r : server.Requests()) EXPECT_NE(r.substr(0, 4), "GET ") << r;
}

TEST_F(HttpGetTest, EmptyOrMissingUrlOpensNothing) {
  net::ModuleClient().CloseSession();
  uint32_t opens = net::ModuleClient().SessionOpenCount();
  EXPECT_TRUE(Get("").empty);
  CmdArg result{};
  kNetLibDescriptor.commands[kNetHttpGet](&result, 0, nullptr);
  EXPECT_EQ(ArgPtr(result), nullptr);
  CmdArg omitted{};
  kNetLibDescriptor.commands[kNetHttpGet](&result, 1, &omitted);
  EXPECT_EQ(ArgPtr(result), nullptr);
  EXPECT_FALSE(net::ModuleClient().SessionOpen());
  EXPECT_EQ(net::ModuleClient().SessionOpenCount(), opens);
}

TEST_F(HttpGetTest, SessionIsKeptUntilModuleExitAndReopenedAfter) {
  LoopbackServer server(Answer(200, "page", true));
  Get(server.Url("/a"));
  uint32_t opens = net::ModuleClient().SessionOpenCount();
  EXPECT_EQ(Get(server.Url("/b")).bytes, "page");
  EXPECT_EQ(net::ModuleClient().SessionOpenCount(), opens);
  EXPECT_TRUE(net::ModuleClient().SessionOpen());

  kNetLibDescriptor.notify(notify::Exit, 0, 0);
  EXPECT_FALSE(net::ModuleClient().SessionOpen());
  EXPECT_EQ(Get(server.Url("/c")).bytes, "page");
  EXPECT_EQ(net::ModuleClient().SessionOpenCount(), opens + 1);
}

// Several threads making their first fetch together share one internet handle, and the small
// bodies that go through the shared pool come back intact.
TEST_F(HttpGetTest, ConcurrentFetchesShareOneHandleAndKeepTheirBodies) {
  auto bodyFor = [](const std::string& path) {
    size_t size = std::stoul(path.substr(path.rfind('/') + 1));
    return Binary(size, static_cast<unsigned>(std::hash<std::string>()(path)));
  };
  LoopbackServer server([&](Connection& s, const std::string& request) {
    std::string path = request.substr(4, request.find(' ', 4) - 4);
    s.Send(Response(200, bodyFor(path), path[1] == 'L'));
  });

  net::ModuleClient().CloseSession();
  uint32_t opens = net::ModuleClient().SessionOpenCount();
  const int kThreads = 8;
  const size_t sizes[] = {7, 200, 480, 512, 513, 3000, 30000};
  std::mutex m;
  std::condition_variable go;
  int ready = 0;
  std::atomic<int> wrong{0}, done{0};
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      {
        std::unique_lock<std::mutex> hold(m);
        ++ready;
        go.notify_all();
        go.wait(hold, [&] { return ready == kThreads; });
      }
      for (size_t size : sizes) {
        std::string path = std::string(t % 2 ? "/L/" : "/N/") + std::to_string(t) + "/" + std::to_string(size);
        if (Get(server.Url(path)).bytes != bodyFor(path)) ++wrong;
        ++done;
      }
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(done.load(), kThreads * 7);
  EXPECT_EQ(wrong.load(), 0);
  EXPECT_EQ(net::ModuleClient().SessionOpenCount(), opens + 1);
  EXPECT_EQ(net::ModulePool().UsedCount(), 0u);
}

std::atomic<int> g_slowOpens{0};
std::atomic<int> g_agentMismatches{0};
// Takes long enough that every racing thread reaches the open before the first one ends.
void* SlowOpen(const char* agent, const char* proxy) {
  ++g_slowOpens;
  if (std::string(agent) != "Mozilla/4.0 (compatible; MSIE 6.0; Windows NT 5.0)" || proxy) ++g_agentMismatches;
  std::this_thread::sleep_for(std::chrono::milliseconds(100));
  return InternetOpenA(agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
}

TEST_F(HttpGetTest, ThreadsRacingToTheFirstFetchOpenOneHandle) {
  net::HttpClient client(SlowOpen);
  LoopbackServer server(Answer(200, "same", true));
  std::vector<std::thread> threads;
  std::atomic<int> wrong{0};
  for (int t = 0; t < 6; ++t) {
    threads.emplace_back([&] {
      net::GrowBuffer body(&net::ModulePool());
      client.Fetch(server.Url("/race").c_str(), body);
      if (std::string(reinterpret_cast<const char*>(body.data()), body.length()) != "same") ++wrong;
    });
  }
  for (auto& th : threads) th.join();
  EXPECT_EQ(g_slowOpens.load(), 1);
  EXPECT_EQ(g_agentMismatches.load(), 0);
  EXPECT_EQ(client.SessionOpenCount(), 1u);
  EXPECT_EQ(wrong.load(), 0);
}

}  // namespace
