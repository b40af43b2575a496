// One movie ID: fetch its page, take the name from the title and the first download link; then
// add a row and a log line to the main window.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/abi/values.h"

namespace app {

struct IdResult {
  int32_t id = 0;
  bool found = false;  // a download link was on the page
  std::string name;
  std::string link;
};

// The page of the ID as the site sent it: a byte array, empty when the fetch failed. The caller
// owns it.
CmdArg FetchPage(int32_t id);
// The name and the first link read from a fetched page, which it releases.
IdResult ReadPage(int32_t id, CmdArg page);
// Both: no window is touched.
IdResult FetchId(int32_t id);
// The row (when a link was found) and the log line.
void WriteIdResult(const IdResult& result);
// Both, for the test command on the window's thread.
void ScanOneId(int32_t id);
// The movie site's host (and port) that the URLs name.
const char* SiteHost();

}  // namespace app
