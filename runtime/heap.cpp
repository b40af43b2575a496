#include "runtime/heap.h"

#include <windows.h>

#include <cstdio>
#include <cstring>

#include "runtime/high_heap.h"
#include "runtime/runtime_error.h"

namespace rt {
namespace {
const uint8_t* g_constStart = nullptr;
const uint8_t* g_constEnd = nullptr;

HANDLE Heap() {
  static HANDLE heap = GetProcessHeap();
  return heap;
}

[[noreturn]] void AllocationFailed(uint32_t size) {
  char text[100];
  std::snprintf(text, sizeof text, "分配 %d 字节内存失败!", static_cast<int>(size));
  ReportRuntimeError(text, 0);
}
}  // namespace

void SetConstantBounds(const void* start, uint32_t length) {
  if (length == 0 || !start) {
    g_constStart = g_constEnd = nullptr;
    return;
  }
  g_constStart = static_cast<const uint8_t*>(start);
  g_constEnd = g_constStart + length;
}

bool InConstantArea(const void* p) {
  auto b = static_cast<const uint8_t*>(p);
  return b && g_constStart && b >= g_constStart && b < g_constEnd;
}

void* TryAllocBlock(uint32_t size) {
  // HeapAlloc of 0 bytes gives a valid block; sizes past 2 GiB can never be had in a 32-bit process.
  if (size > 0x7FFFFFF0u) return nullptr;
  if (HighHeapEnabled()) return HighAlloc(size);
  return HeapAlloc(Heap(), 0, size);
}

void* AllocBlock(uint32_t size) {
  void* p = TryAllocBlock(size);
  if (!p) AllocationFailed(size);
  return p;
}

void* ReallocBlock(void* block, uint32_t size) {
  if (!block) return AllocBlock(size);
  if (InConstantArea(block)) {
    void* fresh = AllocBlock(size);
    uint32_t available = static_cast<uint32_t>(g_constEnd - static_cast<const uint8_t*>(block));
    std::memcpy(fresh, block, size < available ? size : available);
    return fresh;
  }
  void* p = size > 0x7FFFFFF0u ? nullptr
            : InHighHeap(block) ? HighRealloc(block, size)
                                : HeapReAlloc(Heap(), 0, block, size);
  if (!p) AllocationFailed(size);
  return p;
}

void FreeBlock(void* block) {
  if (!block || InConstantArea(block) || HighFree(block)) return;
  HeapFree(Heap(), 0, block);
}

size_t LiveBlocks() {
  if (HighHeapEnabled()) return HighLiveBlocks();
  HANDLE heap = Heap();
  HeapLock(heap);
  PROCESS_HEAP_ENTRY entry{};
  size_t busy = 0;
  while (HeapWalk(heap, &entry))
    if (entry.wFlags & PROCESS_HEAP_ENTRY_BUSY) ++busy;
  HeapUnlock(heap);
  return busy;
}

uint32_t ArrayBlockSize(const void* array, uint32_t elementWidth) {
  auto words = static_cast<const uint32_t*>(array);
  uint32_t n = words[0];
  uint64_t count = 1;
  for (uint32_t i = 0; i < n; ++i) count *= words[1 + i];
  return static_cast<uint32_t>(4 + 4ull * n + count * elementWidth);
}

void MakeArrayPrivate(uint32_t elementWidth, void** arrayPointer) {
  if (!arrayPointer || !InConstantArea(*arrayPointer)) return;
  uint32_t size = ArrayBlockSize(*arrayPointer, elementWidth);
  void* copy = AllocBlock(size);
  std::memcpy(copy, *arrayPointer, size);
  *arrayPointer = copy;
}

void FreeArray(TypeCode type, void* array) {
  if (!array || InConstantArea(array)) return;
  TypeCode element = tc::ElementOf(type);
  if (element == tc::Text || element == tc::ByteArray) {
    auto words = static_cast<uint32_t*>(array);
    uint32_t n = words[0];
    uint64_t count = 1;
    for (uint32_t i = 0; i < n; ++i) count *= words[1 + i];
    auto elements = reinterpret_cast<void**>(words + 1 + n);
    for (uint64_t i = 0; i < count; ++i) FreeBlock(elements[i]);
  }
  FreeBlock(array);
}

char* DupText(const char* text) {
  if (!text || !*text) return nullptr;
  return TextFromBytes(text, static_cast<int32_t>(std::strlen(text)));
}

char* TextFromBytes(const void* bytes, int32_t length) {
  if (length < 1) return nullptr;
  auto p = static_cast<char*>(AllocBlock(static_cast<uint32_t>(length) + 1));
  std::memcpy(p, bytes, static_cast<size_t>(length));
  p[length] = 0;
  return p;
}

void* ByteArrayFromBytes(const void* bytes, uint32_t length) {
  if (length == 0) return nullptr;
  auto p = static_cast<uint32_t*>(AllocBlock(length + 8));
  p[0] = 1;
  p[1] = length;
  std::memcpy(p + 2, bytes, length);
  return p;
}

}  // namespace rt
