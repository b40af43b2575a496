#include "modules/net/grow_buffer.h"

#include <windows.h>

#include <cstring>

namespace net {
namespace {
constexpr uint32_t kLargest = 0xFFFFFFFFu - GrowBuffer::kSlack;

uint8_t* HeapNew(uint32_t size) { return static_cast<uint8_t*>(HeapAlloc(GetProcessHeap(), 0, size)); }
}  // namespace

bool GrowBuffer::TakeNewBlock(uint32_t n) {
  if (n <= SmallBlockPool::kSlotSize && pool_) {
    if (void* slot = pool_->Take()) {
      data_ = static_cast<uint8_t*>(slot);
      capacity_ = SmallBlockPool::kSlotSize;
      length_ = n;
      return true;
    }
  }
  if (n > kLargest) return false;
  uint8_t* block = HeapNew(n + kSlack);
  if (!block) return false;
  data_ = block;
  capacity_ = n + kSlack;
  length_ = n;
  return true;
}

bool GrowBuffer::Grow(uint32_t n) {
  if (n == 0) {
    if (data_) {
      if (InPool())
        pool_->Release(data_);
      else
        HeapFree(GetProcessHeap(), 0, data_);
    }
    data_ = nullptr;
    capacity_ = length_ = 0;
    return true;
  }
  if (!data_) return TakeNewBlock(n);
  bool inPool = InPool();
  if (capacity_ >= n && (inPool || capacity_ - n <= kKeepSlack)) {
    length_ = n;
    return true;
  }
  if (n > kLargest) return false;
  if (inPool) {
    uint8_t* block = HeapNew(n + kSlack);
    if (!block) return false;
    std::memcpy(block, data_, length_ < n ? length_ : n);
    pool_->Release(data_);
    data_ = block;
  } else {
    void* moved = HeapReAlloc(GetProcessHeap(), 0, data_, n + kSlack);
    if (!moved) return false;
    data_ = static_cast<uint8_t*>(moved);
  }
  capacity_ = n + kSlack;
  length_ = n;
  return true;
}

bool GrowBuffer::Append(const void* bytes, int32_t count) {
  if (count <= 0) return true;
  uint32_t old = length_;
  if (static_cast<uint32_t>(count) > kLargest - old) return false;
  if (!Grow(old + static_cast<uint32_t>(count))) return false;
  std::memcpy(data_ + old, bytes, static_cast<uint32_t>(count));
  return true;
}

}  // namespace net
