#include "tests/forms/guarded_bytes.h"

#include <windows.h>

#include <cstring>
#include <stdexcept>

namespace testforms {

GuardedBytes::GuardedBytes(const std::vector<uint8_t>& bytes) : size_(static_cast<uint32_t>(bytes.size())) {
  const uint32_t page = 4096;
  uint32_t pages = (size_ + page - 1) / page + 1;
  base_ = VirtualAlloc(nullptr, pages * page, MEM_RESERVE | MEM_COMMIT, PAGE_READWRITE);
  if (!base_) throw std::runtime_error("VirtualAlloc");
  auto start = static_cast<uint8_t*>(base_);
  DWORD old;
  VirtualProtect(start + (pages - 1) * page, page, PAGE_NOACCESS, &old);
  data_ = start + (pages - 1) * page - size_;
  if (size_) std::memcpy(data_, bytes.data(), size_);
}

GuardedBytes::~GuardedBytes() { VirtualFree(base_, 0, MEM_RELEASE); }

}  // namespace testforms
