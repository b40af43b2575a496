// Appends little-endian dwords, zero-terminated texts and length-prefixed byte runs: the pieces
// of form segments, records and type-specific data blocks.
#pragma once
#include <cstdint>
#include <string>
#include <vector>

namespace forms {

class ByteWriter {
 public:
  ByteWriter& Dword(uint32_t v) {
    for (int i = 0; i < 4; ++i) bytes_.push_back(static_cast<uint8_t>(v >> (8 * i)));
    return *this;
  }
  ByteWriter& Byte(uint8_t v) {
    bytes_.push_back(v);
    return *this;
  }
  ByteWriter& ZeroText(const std::string& s) {
    bytes_.insert(bytes_.end(), s.begin(), s.end());
    bytes_.push_back(0);
    return *this;
  }
  ByteWriter& Raw(const std::vector<uint8_t>& b) {
    bytes_.insert(bytes_.end(), b.begin(), b.end());
    return *this;
  }
  // A dword length, then the bytes.
  ByteWriter& Prefixed(const std::vector<uint8_t>& b) { return Dword(static_cast<uint32_t>(b.size())).Raw(b); }
  ByteWriter& Prefixed(const std::string& s) {
    return Prefixed(std::vector<uint8_t>(s.begin(), s.end()));
  }

  const std::vector<uint8_t>& Bytes() const { return bytes_; }
  std::vector<uint8_t> Take() { return std::move(bytes_); }

 private:
  std::vector<uint8_t> bytes_;
};

}  // namespace forms
