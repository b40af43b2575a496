// Bounded little-endian access to template bytes. Every read states the size it may not pass,
// so a length field that points past the end gives a refusal instead of a stray read.
#pragma once
#include <cstdint>
#include <string_view>

namespace forms {

// A run of bytes inside a record or segment: where it starts and how long it is.
struct ByteRange {
  const uint8_t* data = nullptr;
  uint32_t size = 0;
};

// The dword at [offset, offset + 4) when that lies within size.
inline bool LoadDword(const uint8_t* p, uint64_t size, uint64_t offset, uint32_t& out) {
  if (offset > size || size - offset < 4) return false;
  p += offset;
  out = uint32_t(p[0]) | uint32_t(p[1]) << 8 | uint32_t(p[2]) << 16 | uint32_t(p[3]) << 24;
  return true;
}

inline void StoreDword(uint8_t* p, uint32_t value) {
  for (int i = 0; i < 4; ++i) p[i] = static_cast<uint8_t>(value >> (8 * i));
}

// The zero-terminated text at offset; false when no terminating zero comes before size.
inline bool LoadText(const uint8_t* p, uint64_t size, uint64_t offset, std::string_view& out) {
  for (uint64_t i = offset; i < size; ++i) {
    if (p[i] == 0) {
      out = std::string_view(reinterpret_cast<const char*>(p + offset), static_cast<size_t>(i - offset));
      return true;
    }
  }
  return false;
}

}  // namespace forms
