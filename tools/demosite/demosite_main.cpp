// The bundled demo movie site: serves /movie/<id> on 127.0.0.1 so the program can be tried
// and tested with no outside network.
//   demosite [--port N] [--delay-ms N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

#include "tools/demosite/movie_pages.h"
#include "tools/loopback_http/http_server.h"

int main(int argc, char** argv) {
  int port = 8642;
  int delayMs = 0;
  for (int i = 1; i < argc; ++i) {
    if (!std::strcmp(argv[i], "--port") && i + 1 < argc)
      port = std::atoi(argv[++i]);
    else if (!std::strcmp(argv[i], "--delay-ms") && i + 1 < argc)
      delayMs = std::atoi(argv[++i]);
    else {
      std::fprintf(stderr, "usage: demosite [--port N] [--delay-ms N]\n");
      return 2;
    }
  }
  loopback::ServerOptions options;
  options.port = static_cast<uint16_t>(port);
  // A fixed set of serving threads: a thread for every connection made the site slower and
  // slower over tens of thousands of requests under Wine.
  options.servingThreads = 8;
  options.receiveTimeoutMs = 10000;
  options.recordRequests = false;  // the site runs for as long as the user wants
  loopback::HttpServer server(options, [delayMs](loopback::Connection& c, const std::string& request) {
    if (delayMs > 0) Sleep(static_cast<DWORD>(delayMs));
    demosite::Page page = demosite::PageForPath(loopback::RequestPath(request));
    c.Send(loopback::Response(page.status, page.body, "text/html; charset=utf-8", true, "Connection: close\r\n"));
  });
  if (!server.listening()) {
    std::fprintf(stderr, "demosite: cannot listen on 127.0.0.1:%d\n", port);
    return 1;
  }
  std::printf("demosite: serving http://127.0.0.1:%d/movie/<id>\n", port);
  std::fflush(stdout);
  for (;;) Sleep(INFINITE);
}
