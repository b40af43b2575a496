// A movie site of the test's own on loopback: pages by ID as the test sets them, every request
// recorded. Any ID without a page answers 404 with an empty body. A page may also be served in a
// hostile way: never answered, cut short, or trickled out slowly, or only after a delay. Each
// connection is served on a thread of its own, as a real site serves requests side by side.
#pragma once
#include <windows.h>

#include <cstdint>
#include <map>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace driver {

class TestSite {
 public:
  TestSite();
  ~TestSite();
  TestSite(const TestSite&) = delete;
  TestSite& operator=(const TestSite&) = delete;

  std::string Host() const { return "127.0.0.1:" + std::to_string(port_); }
  enum class Manner { Whole, Never, CutShort, Trickle };
  // delayMs: the answer starts that long after the request has arrived.
  void SetPage(int id, int status, const std::string& body, Manner manner = Manner::Whole, DWORD delayMs = 0);
  std::vector<std::string> Requests();  // each request's head, as received
  // The most requests that were being answered at one time.
  int MostAtOnce();

 private:
  void Serve();
  void Answer(uintptr_t connection);
  uintptr_t listener_;  // the listening socket
  int port_ = 0;
  std::mutex mutex_;
  struct Page {
    int status;
    std::string body;
    Manner manner;
    DWORD delayMs;
  };
  std::map<int, Page> pages_;
  std::vector<uintptr_t> held_;  // connections that are never answered, closed at the end
  std::vector<std::string> requests_;
  int answeringNow_ = 0;
  int mostAtOnce_ = 0;
  std::thread thread_;
  std::vector<std::thread> answering_;  // one a connection; joined at the end
  volatile bool stopping_ = false;
};

}  // namespace driver
