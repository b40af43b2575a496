#include "modules/net/http_client.h"

#include <mutex>

#include <windows.h>
#include <wininet.h>

#include "modules/net/chunk_size.h"
#include "modules/net/fetch_limits.h"
#include "modules/net/url_crack.h"
#include "modules/net/url_rules.h"

namespace net {
namespace {
// The accept list entry carries a header line of its own; the extra header repeats it.
const char* const kAcceptTypes[] = {"Accept: */* \r\n", nullptr};
const char kExtraHeaders[] = "Accept: */*\r\n\r\n";
static_assert(sizeof kExtraHeaders - 1 == 15, "extra header length");

void SetProxyOptions(HINTERNET session, HINTERNET connection, const std::string& proxy, const std::string& user,
                     const std::string& password) {
  INTERNET_PROXY_INFO info{};
  info.dwAccessType = proxy.empty() ? INTERNET_OPEN_TYPE_PRECONFIG : INTERNET_OPEN_TYPE_PROXY;
  info.lpszProxy = proxy.empty() ? nullptr : proxy.c_str();
  info.lpszProxyBypass = nullptr;
  InternetSetOptionA(session, INTERNET_OPTION_PROXY, &info, sizeof info);
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_USERNAME, const_cast<char*>(user.c_str()),
                     static_cast<DWORD>(user.size() + 1));
  InternetSetOptionA(connection, INTERNET_OPTION_PROXY_PASSWORD, const_cast<char*>(password.c_str()),
                     static_cast<DWORD>(password.size() + 1));
}

// A server that accepts and then stays silent would otherwise hold the request for as long as
// it keeps the connection. The platform honours these only on the request's own handle.
void SetTimeouts(HINTERNET request) {
  DWORD ms = RequestTimeoutMs();
  InternetSetOptionA(request, INTERNET_OPTION_SEND_TIMEOUT, &ms, sizeof ms);
  InternetSetOptionA(request, INTERNET_OPTION_RECEIVE_TIMEOUT, &ms, sizeof ms);
}

uint32_t ChunkSizeOf(HINTERNET request) {
  char text[32] = {};
  DWORD size = sizeof text;
  BOOL queried = HttpQueryInfoA(request, HTTP_QUERY_CONTENT_LENGTH, text, &size, nullptr);
  text[sizeof text - 1] = 0;
  return ChunkSizeFor(queried != FALSE, text);
}

// Reads until the body ends, a read fails, or the cap is reached. A chunk the body cannot
// take is dropped and reading goes on; the cap counts bytes received, so it also ends that.
// A read that times out part-way fails yet reports what it did get (so under Wine): those
// bytes are kept, then the loop ends.
void ReadBody(HINTERNET request, uint32_t chunkSize, GrowBuffer& chunk, GrowBuffer& body) {
  const uint32_t cap = BodyCapBytes();
  uint32_t received = 0;
  while (received < cap) {
    DWORD want = cap - received < chunkSize ? cap - received : chunkSize;
    DWORD got = 0;
    BOOL ok = InternetReadFile(request, chunk.data(), want, &got);
    if (got > want) got = 0;
    received += got;
    body.Append(chunk.data(), static_cast<int32_t>(got));
    if (!ok || got == 0) return;
  }
}

std::mutex& HandleLock() {
  static std::mutex lock;
  return lock;
}

void* OpenWithPlatform(const char* agent, const char* proxy) {
  return proxy ? InternetOpenA(agent, INTERNET_OPEN_TYPE_PROXY, proxy, nullptr, 0)
               : InternetOpenA(agent, INTERNET_OPEN_TYPE_DIRECT, nullptr, nullptr, 0);
}
}  // namespace

HttpClient::HttpClient(OpenFn open) : open_(open ? open : OpenWithPlatform) {}

void* HttpClient::Session() {
  std::lock_guard<std::mutex> hold(lock_);
  if (!session_) {
    session_ = open_(kAgent, proxy_.empty() ? nullptr : proxy_.c_str());
    if (session_) ++opens_;
  }
  return session_;
}

bool HttpClient::SessionOpen() {
  std::lock_guard<std::mutex> hold(lock_);
  return session_ != nullptr;
}

void HttpClient::CloseSession() {
  void* session;
  {
    std::lock_guard<std::mutex> hold(lock_);
    session = session_;
    session_ = nullptr;
  }
  if (session) InternetCloseHandle(session);
}

void HttpClient::FetchSteps(const char* url, GrowBuffer& body, void*& connection, void*& request) {
  CrackedUrl parts;
  if (!CrackUrl(url, parts)) return;
  RequestPlan plan = PlanForScheme(parts.scheme);

  HINTERNET session = Session();
  if (!session) return;
  std::string object = CutFragment(parts.object);
  {
    // Making and closing handles is serialised across threads: fetches from several threads at
    // once corrupted the heap inside the platform's handle creation now and then (seen under
    // Wine). Sending and reading, where a fetch waits, stay concurrent.
    std::lock_guard<std::mutex> hold(HandleLock());
    connection = InternetConnectA(session, parts.host.c_str(), parts.port, parts.user.c_str(),
                                  parts.password.c_str(), plan.service, 0, 0);
    if (!connection) return;
    SetProxyOptions(session, connection, proxy_, proxyUser_, proxyPassword_);
    request = HttpOpenRequestA(connection, "GET", object.c_str(), "HTTP/1.0", nullptr,
                               const_cast<const char**>(kAcceptTypes), plan.flags, 0);
    if (!request) return;
    SetTimeouts(request);
  }
  if (!HttpSendRequestA(request, kExtraHeaders, sizeof kExtraHeaders - 1, nullptr, 0)) return;

  uint32_t chunkSize = ChunkSizeOf(request);
  GrowBuffer chunk(&ModulePool());
  if (!chunk.Grow(chunkSize)) return;
  ReadBody(request, chunkSize, chunk, body);
}

void HttpClient::Fetch(const char* url, GrowBuffer& body) {
  body.Grow(0);
  if (!url || !*url) return;
  void* connection = nullptr;
  void* request = nullptr;
  try {
    FetchSteps(url, body, connection, request);
  } catch (...) {
    // What arrived before the failure is still the answer.
  }
  std::lock_guard<std::mutex> hold(HandleLock());
  if (request) InternetCloseHandle(request);
  if (connection) InternetCloseHandle(connection);
}

HttpClient& ModuleClient() {
  static HttpClient client;
  return client;
}

}  // namespace net
