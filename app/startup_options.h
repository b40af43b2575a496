// The program's start-up options: `--site-host HOST[:PORT]` names the movie site; nothing else
// is accepted.
#pragma once
#include <string>

namespace app {

struct StartupOptions {
  std::string siteHost;  // empty: the bundled demo site
};

// Parses a whole command line (the program's own path first). False with a message for the
// user on an unknown option, a missing value or a malformed host.
bool ParseStartupOptions(const char* commandLine, StartupOptions& options, std::string& error);
// A host name or IPv4 address of letters, digits, dots and hyphens, with an optional port 1 to 65535.
bool IsSiteHost(const std::string& text);

}  // namespace app
