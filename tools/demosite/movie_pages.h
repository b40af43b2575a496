// The bundled demo movie site's content: for every movie ID a UTF-8 page with a title and,
// for most IDs, a download link, so a scan shows rows, failures and missing pages.
#pragma once
#include <cstdint>
#include <string>

namespace demosite {

struct Page {
  int status;         // 200, or 404 for IDs the site does not have
  std::string body;   // UTF-8
};

// The page at "/movie/<id>"; any other path is a 404 page.
Page PageForPath(const std::string& path);
Page MoviePage(int64_t id);
// What a scan should take from the page of this ID (UTF-8), for tests: name and link,
// empty link when the page has none.
std::string MovieNameUtf8(int64_t id);
std::string MovieLink(int64_t id);
bool HasLink(int64_t id);

}  // namespace demosite
