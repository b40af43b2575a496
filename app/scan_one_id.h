// One movie ID: fetch its page, take the name from the title and the first download link, add a
// row and a log line to the main window.
#pragma once
#include <cstdint>

namespace app {

// Runs on a scan worker or, for the test command, on the window's thread.
void ScanOneId(int32_t id);
// The movie site's host (and port) that the URLs name.
const char* SiteHost();

}  // namespace app
