#include "modules/encoding/unicode_codecs.h"

namespace enc {
namespace {
bool IsTrail(uint8_t b) { return (b & 0xC0) == 0x80; }
uint32_t Unit(const uint8_t* p, bool little) {
  return little ? (p[0] | (p[1] << 8)) : ((p[0] << 8) | p[1]);
}
void PutUnit(uint32_t u, bool little, uint8_t* out) {
  out[little ? 0 : 1] = static_cast<uint8_t>(u & 0xFF);
  out[little ? 1 : 0] = static_cast<uint8_t>(u >> 8);
}
}  // namespace

ReadResult ReadUtf8(const uint8_t* p, size_t n, char32_t* cp, size_t* used) {
  *used = 1;
  uint8_t b0 = p[0];
  if (b0 < 0x80) {
    *cp = b0;
    return ReadResult::Ok;
  }
  size_t len;
  uint8_t lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    len = 2;
  } else if (b0 >= 0xE0 && b0 <= 0xEF) {
    len = 3;
    if (b0 == 0xE0) lo = 0xA0;  // overlong
    if (b0 == 0xED) hi = 0x9F;  // surrogates
  } else if (b0 >= 0xF0 && b0 <= 0xF4) {
    len = 4;
    if (b0 == 0xF0) lo = 0x90;  // overlong
    if (b0 == 0xF4) hi = 0x8F;  // above U+10FFFF
  } else {
    return ReadResult::Invalid;
  }
  // Check what is there before deciding that the rest is merely missing.
  for (size_t i = 1; i < len; ++i) {
    if (i >= n) return ReadResult::Incomplete;
    uint8_t b = p[i];
    if (i == 1 ? (b < lo || b > hi) : !IsTrail(b)) return ReadResult::Invalid;
  }
  char32_t v = b0 & (0x7F >> len);
  for (size_t i = 1; i < len; ++i) v = (v << 6) | (p[i] & 0x3F);
  *cp = v;
  *used = len;
  return ReadResult::Ok;
}

ReadResult ReadUtf16(const uint8_t* p, size_t n, bool littleEndian, bool surrogatePairs, char32_t* cp,
                     size_t* used) {
  *used = 2;
  if (n < 2) return ReadResult::Incomplete;
  uint32_t u = Unit(p, littleEndian);
  if (u < 0xD800 || u > 0xDFFF) {
    *cp = u;
    return ReadResult::Ok;
  }
  if (!surrogatePairs || u >= 0xDC00) return ReadResult::Invalid;
  if (n < 4) return ReadResult::Incomplete;
  uint32_t low = Unit(p + 2, littleEndian);
  if (low < 0xDC00 || low > 0xDFFF) return ReadResult::Invalid;
  *cp = 0x10000 + ((u - 0xD800) << 10) + (low - 0xDC00);
  *used = 4;
  return ReadResult::Ok;
}

size_t WriteUtf8(char32_t cp, uint8_t* out) {
  if (cp < 0x80) {
    out[0] = static_cast<uint8_t>(cp);
    return 1;
  }
  if (cp < 0x800) {
    out[0] = static_cast<uint8_t>(0xC0 | (cp >> 6));
    out[1] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    return 2;
  }
  if (cp < 0x10000) {
    out[0] = static_cast<uint8_t>(0xE0 | (cp >> 12));
    out[1] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
    out[2] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
    return 3;
  }
  out[0] = static_cast<uint8_t>(0xF0 | (cp >> 18));
  out[1] = static_cast<uint8_t>(0x80 | ((cp >> 12) & 0x3F));
  out[2] = static_cast<uint8_t>(0x80 | ((cp >> 6) & 0x3F));
  out[3] = static_cast<uint8_t>(0x80 | (cp & 0x3F));
  return 4;
}

size_t WriteUtf16(char32_t cp, bool littleEndian, uint8_t* out) {
  if (cp < 0x10000) {
    PutUnit(cp, littleEndian, out);
    return 2;
  }
  cp -= 0x10000;
  PutUnit(0xD800 + (cp >> 10), littleEndian, out);
  PutUnit(0xDC00 + (cp & 0x3FF), littleEndian, out + 2);
  return 4;
}

}  // namespace enc
