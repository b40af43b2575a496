// Bytes placed so that they end exactly at an inaccessible page: a read one byte past the end
// faults instead of passing unnoticed.
#pragma once
#include <cstdint>
#include <vector>

namespace testforms {

class GuardedBytes {
 public:
  explicit GuardedBytes(const std::vector<uint8_t>& bytes);
  ~GuardedBytes();
  GuardedBytes(const GuardedBytes&) = delete;
  GuardedBytes& operator=(const GuardedBytes&) = delete;

  const uint8_t* data() const { return data_; }
  uint32_t size() const { return size_; }

 private:
  void* base_ = nullptr;
  uint8_t* data_ = nullptr;
  uint32_t size_ = 0;
};

}  // namespace testforms
