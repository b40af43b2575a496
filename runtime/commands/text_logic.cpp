#include "runtime/commands/text_logic.h"

#include <cmath>
#include <cstring>

namespace rt {

std::string NormaliseFullWidth(const char* text) {
  std::string out;
  if (!text) return out;
  for (const auto* p = reinterpret_cast<const unsigned char*>(text); *p;) {
    if (*p < 0x80) {
      out += static_cast<char>(*p++);
      continue;
    }
    unsigned char lead = p[0], trail = p[1];
    if (trail == 0) break;  // a lead byte followed by the terminator ends the walk
    if (lead == 0xA3 && trail >= 0xA1 && trail <= 0xFE)
      out += static_cast<char>(trail - 0x80);
    else if (lead == 0xA1 && trail == 0xA1)
      out += ' ';
    else if (lead == 0xA1 && trail == 0xAB)
      out += '~';
    else if (lead == 0xA1 && (trail == 0xEE || trail == 0xEF))
      out += '*';
    else {
      out += static_cast<char>(lead);
      out += static_cast<char>(trail);
    }
    p += 2;
  }
  return out;
}

int32_t ParseLeadingInteger(const char* text) {
  const char* p = text;
  while (*p == ' ' || *p == '\t' || *p == '\r' || *p == '\n' || *p == '\v' || *p == '\f') ++p;
  bool negative = false;
  if (*p == '+' || *p == '-') negative = *p++ == '-';
  uint32_t value = 0;  // wraps like 32-bit arithmetic, deliberately unchecked
  while (*p >= '0' && *p <= '9') value = value * 10u + static_cast<uint32_t>(*p++ - '0');
  return static_cast<int32_t>(negative ? 0u - value : value);
}

int32_t TextToInteger(const char* text) {
  if (!text) return 0;
  return ParseLeadingInteger(NormaliseFullWidth(text).c_str());
}

namespace {
char Lower(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }
bool SameBytes(const char* a, const char* b, size_t n, bool ignoreCase) {
  if (!ignoreCase) return std::memcmp(a, b, n) == 0;
  for (size_t i = 0; i < n; ++i)
    if (Lower(a[i]) != Lower(b[i])) return false;
  return true;
}
}  // namespace

int32_t FindTextPosition(const char* text, const char* key, bool hasStart, int32_t start, bool ignoreCase) {
  size_t length = text ? std::strlen(text) : 0;
  size_t m = key ? std::strlen(key) : 0;
  size_t begin = 0;
  if (hasStart && start > 1) begin = static_cast<size_t>(start - 1);
  if (begin > 0 && begin >= length) return -1;
  if (m == 0) return begin < length ? 1 : -1;
  size_t p = begin;
  while (length - p >= m) {
    if (SameBytes(text + p, key, m, ignoreCase)) return static_cast<int32_t>(p + 1);
    if (static_cast<unsigned char>(text[p]) & 0x80) {
      if (text[p + 1] == 0) break;
      p += 2;
    } else {
      p += 1;
    }
    if (p > length) break;
  }
  return -1;
}

void MidRange(uint32_t length, int32_t start, int32_t count, uint32_t& offset, uint32_t& bytes) {
  offset = 0;
  bytes = 0;
  int64_t q = static_cast<int64_t>(start) - 1;
  if (q < 0 || q >= length || count <= 0) return;
  offset = static_cast<uint32_t>(q);
  uint32_t rest = length - offset;
  bytes = static_cast<uint32_t>(count) < rest ? static_cast<uint32_t>(count) : rest;
}

uint32_t LeftCount(uint32_t length, int32_t count) {
  if (count <= 0) return 0;
  return static_cast<uint32_t>(count) < length ? static_cast<uint32_t>(count) : length;
}

double RoundToPlaces(double x, int32_t places) {
  if (x == 0 || std::isnan(x)) return x;
  double a = std::fabs(x);
  double scale = std::pow(10.0, std::abs(places));
  double s = places > 0 ? a * scale : places < 0 ? a / scale : a;
  double nudged = s + 1e-12;
  double n = std::floor(nudged);
  double r = nudged - n >= 0.5 ? n + 1 : n;
  double result = places > 0 ? r / scale : places < 0 ? r * scale : r;
  return x < 0 ? -result : result;
}

int32_t MessageBoxAnswer(int button) {
  switch (button) {
    case 2: return 1;  // IDCANCEL
    case 3: return 2;  // IDABORT
    case 4: return 3;  // IDRETRY
    case 5: return 4;  // IDIGNORE
    case 6: return 5;  // IDYES
    case 7: return 6;  // IDNO
    default: return 0;  // IDOK and anything else
  }
}

}  // namespace rt
