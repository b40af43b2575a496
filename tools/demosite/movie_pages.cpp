#include "tools/demosite/movie_pages.h"

#include <cstdlib>

namespace demosite {
namespace {
// Written as UTF-8 escapes so the page bytes do not depend on the compiler's character sets.
const char* const kFirst[] = {
    "\xE6\x98\x9F\xE6\xB5\xB7", "\xE9\x95\xBF\xE6\xB2\xB3", "\xE9\x9B\xAA\xE5\xB1\xB1", "\xE6\x9C\x88\xE5\x85\x89",
    "\xE5\xAD\xA4\xE5\x9F\x8E", "\xE5\xA4\x9C\xE8\x88\xAA", "\xE6\x98\xA5\xE9\x9B\xB7", "\xE8\xBF\x9C\xE5\xB2\x9B",
};  // 星海 长河 雪山 月光 孤城 夜航 春雷 远岛
const char* const kSecond[] = {
    "\xE5\xBD\x92\xE9\x80\x94", "\xE5\xAF\x86\xE4\xBB\xA4", "\xE8\xAE\xB0\xE5\xBF\x86", "\xE5\xAE\x88\xE6\x9C\x9B",
    "\xE6\x97\x85\xE4\xBA\xBA", "\xE6\xB3\xA2\xE6\xBE\x9C", "\xE8\xAF\xBA\xE8\xA8\x80",
};  // 归途 密令 记忆 守望 旅人 波澜 诺言
// Six characters, twelve bytes once in GBK: the part of every title the scan cuts off.
const char kTitleSuffix[] = "\xE5\x9C\xA8\xE7\xBA\xBF\xE9\xAB\x98\xE6\xB8\x85\xE4\xB8\x8B\xE8\xBD\xBD";  // 在线高清下载

std::string Base64(const std::string& in) {
  static const char k[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
  std::string out;
  size_t i = 0;
  for (; i + 2 < in.size(); i += 3) {
    uint32_t v = (uint8_t)in[i] << 16 | (uint8_t)in[i + 1] << 8 | (uint8_t)in[i + 2];
    out += {k[v >> 18], k[(v >> 12) & 63], k[(v >> 6) & 63], k[v & 63]};
  }
  if (i + 1 == in.size()) {
    uint32_t v = (uint8_t)in[i] << 16;
    out += {k[v >> 18], k[(v >> 12) & 63], '=', '='};
  } else if (i + 2 == in.size()) {
    uint32_t v = (uint8_t)in[i] << 16 | (uint8_t)in[i + 1] << 8;
    out += {k[v >> 18], k[(v >> 12) & 63], k[(v >> 6) & 63], '='};
  }
  return out;
}

uint64_t Mix(int64_t id) { return static_cast<uint64_t>(id) * 2654435761u; }
bool Missing(int64_t id) { return id <= 0 || id % 13 == 0; }
}  // namespace

bool HasLink(int64_t id) { return !Missing(id) && id % 7 != 3; }

std::string MovieNameUtf8(int64_t id) {
  if (Missing(id)) return "";
  uint64_t m = Mix(id);
  return std::string(kFirst[m % 8]) + kSecond[(m / 8) % 7] + " " + std::to_string(id);
}

std::string MovieLink(int64_t id) {
  if (!HasLink(id)) return "";
  return "thunder://" + Base64("AAftp://demo.movies.local/" + std::to_string(id) + ".mkvZZ");
}

Page MoviePage(int64_t id) {
  if (Missing(id))
    return {404, "<html><head><title>404 Not Found</title></head><body><h1>Not Found</h1></body></html>\n"};
  std::string name = MovieNameUtf8(id);
  std::string body = "<!DOCTYPE html>\n<html>\n<head>\n<meta charset=\"utf-8\">\n<title>" + name + kTitleSuffix +
                     "</title>\n</head>\n<body>\n<h1>" + name + "</h1>\n<p>\xE5\xAF\xBC\xE6\xBC\x94\xEF\xBC\x9A" +
                     "\xE6\xBC\x94\xE7\xA4\xBA\xE5\x9B\xA2\xE9\x98\x9F</p>\n";  // 导演：演示团队
  if (HasLink(id)) {
    body += "<p><a href=\"" + MovieLink(id) + "\" title=\"download\">\xE4\xB8\x8B\xE8\xBD\xBD</a></p>\n";  // 下载
    // A second link that a scan must ignore.
    body += "<p><a href=\"thunder://QUFzZWNvbmRsaW5rWlo=\" class=\"alt\">mirror</a></p>\n";
  } else {
    body += "<p>\xE6\x9A\x82\xE6\x97\xA0\xE4\xB8\x8B\xE8\xBD\xBD</p>\n";  // 暂无下载
  }
  body += "</body>\n</html>\n";
  return {200, body};
}

Page PageForPath(const std::string& path) {
  const std::string prefix = "/movie/";
  if (path.compare(0, prefix.size(), prefix) == 0 && path.size() > prefix.size()) {
    std::string digits = path.substr(prefix.size());
    char* end = nullptr;
    long long id = std::strtoll(digits.c_str(), &end, 10);
    if (end && *end == 0) return MoviePage(id);
  }
  return {404, "<html><head><title>404 Not Found</title></head><body>Not Found</body></html>\n"};
}

}  // namespace demosite
