#include "modules/net/small_block_pool.h"

namespace net {

void* SmallBlockPool::Take() {
  std::lock_guard<std::mutex> hold(lock_);
  for (uint32_t i = 0; i < kSlotCount; ++i) {
    if (map_[i] == 0) {
      map_[i] = 1;
      ++used_;
      return slots_[i];
    }
  }
  return nullptr;
}

bool SmallBlockPool::Owns(const void* block) const {
  const uint8_t* p = static_cast<const uint8_t*>(block);
  return p >= &slots_[0][0] && p < &slots_[0][0] + sizeof slots_;
}

void SmallBlockPool::Release(void* block) {
  if (!Owns(block)) return;
  uint32_t i = static_cast<uint32_t>((static_cast<uint8_t*>(block) - &slots_[0][0]) / kSlotSize);
  std::lock_guard<std::mutex> hold(lock_);
  if (map_[i] == 0) return;
  map_[i] = 0;
  --used_;
}

uint32_t SmallBlockPool::UsedCount() {
  std::lock_guard<std::mutex> hold(lock_);
  return used_;
}

SmallBlockPool& ModulePool() {
  static SmallBlockPool pool;
  return pool;
}

}  // namespace net
