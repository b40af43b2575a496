// A movie site of a test's own on loopback: pages by ID ("/movie/<id>") as the test sets them,
// every request recorded. Any ID without a page answers 404 with an empty body. A page may also
// be served in a hostile way: never answered, cut short, or trickled out slowly, or only after
// a delay. Each connection is served on a thread of its own, as a real site serves requests
// side by side.
#pragma once
#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <vector>

#include "tools/loopback_http/http_server.h"

namespace loopback {

class PageSite {
 public:
  PageSite();
  PageSite(const PageSite&) = delete;
  PageSite& operator=(const PageSite&) = delete;

  std::string Host() const { return server_.Host(); }
  uint16_t port() const { return server_.port(); }
  enum class Manner {
    Whole,     // the whole answer at once
    Never,     // the request is read and never answered; the connection stays open
    CutShort,  // the length promises twice the body that is sent
    Trickle,   // ten pieces a tenth of a second apart
  };
  // delayMs: the answer starts that long after the request has arrived.
  void SetPage(int id, int status, const std::string& body, Manner manner = Manner::Whole, uint32_t delayMs = 0);
  std::vector<std::string> Requests() { return server_.Requests(); }  // each request's head, as received
  // The most requests that were being answered at one time.
  int MostAtOnce();

 private:
  void Answer(Connection& connection, const std::string& request);
  struct Page {
    int status;
    std::string body;
    Manner manner;
    uint32_t delayMs;
  };
  std::mutex mutex_;
  std::map<int, Page> pages_;
  int answeringNow_ = 0;
  int mostAtOnce_ = 0;
  HttpServer server_;  // last: it stops, and its threads end, before the pages go
};

}  // namespace loopback
