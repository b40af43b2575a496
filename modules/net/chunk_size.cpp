#include "modules/net/chunk_size.h"

namespace net {
namespace {
// Leading blanks, an optional sign, then digits; saturates instead of overflowing, since a
// server may announce any number.
int64_t ParseDecimal(const char* s) {
  while (*s == ' ' || *s == '\t') ++s;
  bool negative = false;
  if (*s == '+' || *s == '-') negative = *s++ == '-';
  int64_t v = 0;
  for (; *s >= '0' && *s <= '9'; ++s) {
    if (v < (int64_t{1} << 40)) v = v * 10 + (*s - '0');
  }
  return negative ? -v : v;
}
}  // namespace

uint32_t ChunkSizeFor(bool queried, const char* text) {
  if (!queried || !text) return kChunkWithoutLength;
  int64_t length = ParseDecimal(text);
  if (length <= 0) return kChunkWithoutLength;
  return length + 1 < kChunkMax ? static_cast<uint32_t>(length + 1) : kChunkMax;
}

}  // namespace net
