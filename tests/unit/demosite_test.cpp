// The demo movie site's pages carry what a scan expects: a title whose last twelve GBK bytes
// are the site's suffix, the first thunder link, and pages without links or missing.
#include <gtest/gtest.h>

#include <windows.h>

#include <string>

#include "tools/demosite/movie_pages.h"

namespace {

std::string Utf8ToGbk(const std::string& utf8) {
  int n = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(), static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring wide(static_cast<size_t>(n), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), &wide[0], n);
  int m = WideCharToMultiByte(936, 0, wide.data(), n, nullptr, 0, nullptr, nullptr);
  std::string gbk(static_cast<size_t>(m), '\0');
  WideCharToMultiByte(936, 0, wide.data(), n, &gbk[0], m, nullptr, nullptr);
  return gbk;
}

std::string Between(const std::string& s, const std::string& a, const std::string& b) {
  size_t i = s.find(a);
  size_t j = s.find(b, i + a.size());
  return i == std::string::npos || j == std::string::npos ? "" : s.substr(i + a.size(), j - i - a.size());
}

TEST(DemoSite, TitlesEndWithTwelveGbkBytesAfterTheName) {
  for (int64_t id : {1, 101, 10000, 10001, 29999}) {
    demosite::Page page = demosite::MoviePage(id);
    if (page.status != 200) continue;
    std::string title = Utf8ToGbk(Between(page.body, "<title>", "</title>"));
    std::string name = Utf8ToGbk(demosite::MovieNameUtf8(id));
    ASSERT_EQ(title.size(), name.size() + 12) << id;
    EXPECT_EQ(title.substr(0, name.size()), name);
    EXPECT_NE(name.find(std::to_string(id)), std::string::npos);
  }
}

TEST(DemoSite, TheFirstLinkIsTheMoviesOwnAndEndsBeforeAQuote) {
  int withLink = 0, withoutLink = 0, missing = 0;
  for (int64_t id = 1; id <= 200; ++id) {
    demosite::Page page = demosite::MoviePage(id);
    if (page.status == 404) {
      ++missing;
      EXPECT_EQ(page.body.find("thunder:"), std::string::npos);
      continue;
    }
    size_t at = page.body.find("thunder:");
    if (!demosite::HasLink(id)) {
      ++withoutLink;
      EXPECT_EQ(at, std::string::npos);
      continue;
    }
    ++withLink;
    ASSERT_NE(at, std::string::npos);
    std::string link = demosite::MovieLink(id);
    EXPECT_EQ(page.body.compare(at, link.size() + 2, link + "\" "), 0) << id;
  }
  EXPECT_GT(withLink, 100);
  EXPECT_GT(withoutLink, 10);
  EXPECT_GT(missing, 10);
}

TEST(DemoSite, OnlyMoviePathsExist) {
  EXPECT_EQ(demosite::PageForPath("/movie/101").status, 200);
  EXPECT_EQ(demosite::PageForPath("/movie/").status, 404);
  EXPECT_EQ(demosite::PageForPath("/movie/0").status, 404);
  EXPECT_EQ(demosite::PageForPath("/movie/-4").status, 404);
  EXPECT_EQ(demosite::PageForPath("/movie/12x").status, 404);
  EXPECT_EQ(demosite::PageForPath("/").status, 404);
}

}  // namespace
