// A movie site of the test's own on loopback: pages by ID as the test sets them, every request
// recorded. Any ID without a page answers 404 with an empty body.
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
  void SetPage(int id, int status, const std::string& body);
  std::vector<std::string> Requests();  // each request's head, as received

 private:
  void Serve();
  uintptr_t listener_;  // the listening socket
  int port_ = 0;
  std::mutex mutex_;
  std::map<int, std::pair<int, std::string>> pages_;
  std::vector<std::string> requests_;
  std::thread thread_;
  volatile bool stopping_ = false;
};

}  // namespace driver
