// A growable byte buffer: small blocks from a SmallBlockPool, larger ones from the process
// heap with 128 bytes of slack. Every failure leaves the buffer as it was and returns false.
#pragma once
#include <cstdint>

#include "modules/net/small_block_pool.h"

namespace net {

class GrowBuffer {
 public:
  static constexpr uint32_t kSlack = 128;
  static constexpr uint32_t kKeepSlack = 256;

  explicit GrowBuffer(SmallBlockPool* pool) : pool_(pool) {}
  ~GrowBuffer() { Grow(0); }
  GrowBuffer(const GrowBuffer&) = delete;
  GrowBuffer& operator=(const GrowBuffer&) = delete;

  // Sets the length to n, keeping the first min(length, n) bytes. 0 frees the block.
  bool Grow(uint32_t n);
  // Appends count bytes; count <= 0 succeeds and changes nothing.
  bool Append(const void* bytes, int32_t count);

  uint8_t* data() { return data_; }
  const uint8_t* data() const { return data_; }
  uint32_t length() const { return length_; }
  uint32_t capacity() const { return capacity_; }
  bool InPool() const { return data_ && pool_ && pool_->Owns(data_); }

 private:
  bool TakeNewBlock(uint32_t n);

  SmallBlockPool* pool_;
  uint8_t* data_ = nullptr;
  uint32_t capacity_ = 0;
  uint32_t length_ = 0;
};

}  // namespace net
