// The start-up options: the site host and every way to get it wrong.
#include <gtest/gtest.h>

#include "app/startup_options.h"

namespace {

struct Parsed {
  bool ok;
  std::string host;
  std::string error;
};
Parsed Parse(const char* line) {
  app::StartupOptions options;
  std::string error;
  bool ok = app::ParseStartupOptions(line, options, error);
  return {ok, options.siteHost, error};
}

TEST(StartupOptions, NoOptionsMeansTheDemoSite) {
  EXPECT_TRUE(Parse("reelscout.exe").ok);
  EXPECT_EQ(Parse("\"C:\\Program Files\\Reelscout\\reelscout.exe\"").host, "");
  EXPECT_TRUE(Parse("\"C:\\Program Files\\Reelscout\\reelscout.exe\"   ").ok);
}

TEST(StartupOptions, SiteHostWithAndWithoutPort) {
  EXPECT_EQ(Parse("x.exe --site-host 127.0.0.1:8650").host, "127.0.0.1:8650");
  EXPECT_EQ(Parse("\"x y.exe\" --site-host movies.example.org").host, "movies.example.org");
  EXPECT_EQ(Parse("x.exe --site-host a:1 --site-host b:2").host, "b:2");
}

TEST(StartupOptions, UnknownOptionsMissingValuesAndMalformedHostsAreRefused) {
  for (const char* line : {"x.exe --bogus", "x.exe extra", "x.exe --site-host", "x.exe --site-host :80",
                           "x.exe --site-host host:0", "x.exe --site-host host:65536", "x.exe --site-host host:",
                           "x.exe --site-host ho/st", "x.exe --site-host -host", "x.exe --site-host host:8a",
                           "x.exe --site-host 电影站"}) {
    Parsed p = Parse(line);
    EXPECT_FALSE(p.ok) << line;
    EXPECT_FALSE(p.error.empty()) << line;
  }
  EXPECT_NE(Parse("x.exe --bogus").error.find("--bogus"), std::string::npos);
}

TEST(StartupOptions, HostRules) {
  EXPECT_TRUE(app::IsSiteHost("localhost"));
  EXPECT_TRUE(app::IsSiteHost("127.0.0.1:65535"));
  EXPECT_FALSE(app::IsSiteHost(""));
  EXPECT_FALSE(app::IsSiteHost(std::string(254, 'a')));
}

}  // namespace
