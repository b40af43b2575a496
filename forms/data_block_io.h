// Reading and writing type-specific data blocks: a stream of dwords, with texts and byte arrays
// as a dword length plus the bytes. A block type lists its fields once, in stream order, in a
// Fields(io) member; the same list serves both directions.
#pragma once
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "forms/byte_writer.h"
#include "forms/template_bytes.h"

namespace forms {

class BlockWriterIo {
 public:
  void Dword(uint32_t& v) { w_.Dword(v); }
  void Int(int32_t& v) { w_.Dword(static_cast<uint32_t>(v)); }
  void Word16(uint16_t& v) { w_.Byte(static_cast<uint8_t>(v)).Byte(static_cast<uint8_t>(v >> 8)); }
  void Bytes(std::string& v) { w_.Prefixed(v); }
  std::vector<uint8_t> Take() { return w_.Take(); }

 private:
  ByteWriter w_;
};

class BlockReaderIo {
 public:
  explicit BlockReaderIo(ByteRange r) : r_(r) {}
  void Dword(uint32_t& v) {
    if (ok_ && LoadDword(r_.data, r_.size, pos_, v)) pos_ += 4;
    else ok_ = false;
  }
  void Int(int32_t& v) {
    uint32_t u = static_cast<uint32_t>(v);
    Dword(u);
    v = static_cast<int32_t>(u);
  }
  void Word16(uint16_t& v) {
    if (!ok_ || r_.size - pos_ < 2) {
      ok_ = false;
      return;
    }
    v = static_cast<uint16_t>(r_.data[pos_] | r_.data[pos_ + 1] << 8);
    pos_ += 2;
  }
  void Bytes(std::string& v) {
    uint32_t n = 0;
    Dword(n);
    if (!ok_ || n > r_.size - pos_) {
      ok_ = false;
      return;
    }
    v.assign(reinterpret_cast<const char*>(r_.data + pos_), n);
    pos_ += n;
  }
  bool Ok() const { return ok_; }

 private:
  ByteRange r_;
  uint64_t pos_ = 0;
  bool ok_ = true;
};

template <class Block>
std::vector<uint8_t> EncodeBlock(Block block) {
  BlockWriterIo io;
  block.Fields(io);
  return io.Take();
}

// An empty block gives the defaults; a version above the type's, or a block that ends inside a
// field, gives nothing (the unit is then not created).
template <class Block>
std::optional<Block> DecodeBlock(ByteRange r) {
  Block block;
  if (r.size == 0) return block;
  BlockReaderIo io(r);
  block.Fields(io);
  if (!io.Ok() || block.version > Block::kVersion) return std::nullopt;
  return block;
}

}  // namespace forms
