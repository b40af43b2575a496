// A movie site of the test's own on loopback: pages by ID as the test sets them, every request
// recorded. Any ID without a page answers 404 with an empty body. A page may also be served in a
// hostile way: never answered, cut short, or trickled out slowly.
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
  void SetPage(int id, int status, const std::string& body, Manner manner = Manner::Whole);
  std::vector<std::string> Requests();  // each request's head, as received

 private:
  void Serve();
  uintptr_t listener_;  // the listening socket
  int port_ = 0;
  std::mutex mutex_;
  struct Page {
    int status;
    std::string body;
    Manner manner;
  };
  std::map<int, Page> pages_;
  std::vector<uintptr_t> held_;  // connections that are never answered, closed at the end
  std::vector<std::string> requests_;
  std::thread thread_;
  volatile bool stopping_ = false;
};

}  // namespace driver
