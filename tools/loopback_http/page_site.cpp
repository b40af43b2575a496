#include <windows.h>

#include "tools/loopback_http/page_site.h"

#include <algorithm>

namespace loopback {
namespace {
ServerOptions PageSiteOptions() {
  ServerOptions o;
  o.receiveTimeoutMs = 5000;
  o.noDelay = true;  // the answer's last byte goes by itself and must not wait for an ACK
  return o;
}
}  // namespace

PageSite::PageSite()
    : server_(PageSiteOptions(), [this](Connection& c, const std::string& request) { Answer(c, request); }) {}

void PageSite::SetPage(int id, int status, const std::string& body, Manner manner, uint32_t delayMs) {
  std::lock_guard<std::mutex> hold(mutex_);
  pages_[id] = {status, body, manner, delayMs};
}

int PageSite::MostAtOnce() {
  std::lock_guard<std::mutex> hold(mutex_);
  return mostAtOnce_;
}

void PageSite::Answer(Connection& connection, const std::string& request) {
  Page page{404, "", Manner::Whole, 0};
  long long id = 0;
  {
    std::lock_guard<std::mutex> hold(mutex_);
    mostAtOnce_ = std::max(mostAtOnce_, ++answeringNow_);
    if (MovieId(request, id)) {
      auto found = pages_.find(static_cast<int>(id));
      if (found != pages_.end()) page = found->second;
    }
    if (page.manner == Manner::Never) {
      connection.HoldOpen();
      return;  // still being answered, as far as the client can tell
    }
  }
  if (page.delayMs) Sleep(page.delayMs);
  std::string body = page.body;
  if (page.manner == Manner::CutShort) body.resize(body.size() / 2);
  std::string response = Response(page.status, "", "", false,
                                  "Content-Length: " + std::to_string(page.body.size()) + "\r\n") + body;
  // The last byte goes out only after this answer stops counting as under way: a client that
  // asks again once it has the whole answer is then never counted as asking twice at once.
  std::string last = response.substr(response.size() - 1);
  response.pop_back();
  if (page.manner == Manner::Trickle) {
    size_t piece = response.size() / 10 + 1;
    for (size_t from = 0; from < response.size(); from += piece) {
      connection.Send(response.substr(from, piece));
      Sleep(100);
    }
  } else {
    connection.Send(response);
  }
  {
    std::lock_guard<std::mutex> hold(mutex_);
    --answeringNow_;
  }
  connection.Send(last);
}

}  // namespace loopback
