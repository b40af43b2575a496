// A fixed area of 96 blocks of 512 bytes that small buffers take instead of the heap.
// Fetches run on several threads at once, so taking and releasing a slot is locked.
#pragma once
#include <cstdint>
#include <mutex>

namespace net {

class SmallBlockPool {
 public:
  static constexpr uint32_t kSlotCount = 96;
  static constexpr uint32_t kSlotSize = 512;

  // The first free slot, or null when every slot is in use.
  void* Take();
  // Gives a slot back; a pointer outside the area is ignored.
  void Release(void* block);
  bool Owns(const void* block) const;
  uint32_t UsedCount();

 private:
  std::mutex lock_;
  uint32_t used_ = 0;
  uint8_t map_[kSlotCount] = {};  // 0 free, 1 used
  alignas(8) uint8_t slots_[kSlotCount][kSlotSize];
};

// The one pool of this module.
SmallBlockPool& ModulePool();

}  // namespace net
