#include "runtime/high_heap.h"

#include <windows.h>

#include <cstdlib>
#include <cstring>

#include "runtime/abi/values.h"

namespace rt {
namespace {
// One reservation, placed top-down (above 4 GB under 64-bit Wine), committed as it is used.
// Blocks come in power-of-two size classes from 16 bytes on, each behind a 16-byte header;
// freed blocks go to their class's list and are reused.
constexpr uint64_t kReserve = 64ull << 30;
constexpr uint64_t kCommitStep = 1ull << 20;
constexpr uint32_t kHeader = 16, kMagic = 0x48474948;  // "HIGH"
constexpr int kClasses = 33;                           // 16 B .. 2^32 B

struct Header {
  uint32_t magic;
  uint32_t sizeClass;
  uint64_t size;
};
static_assert(sizeof(Header) == kHeader, "the header keeps blocks 16-byte aligned");

struct State {
  SRWLOCK lock = SRWLOCK_INIT;
  uint8_t* base = nullptr;
  uint64_t used = 0, committed = 0;
  void* freeLists[kClasses] = {};
  size_t live = 0;
};

State& S() {
  static State state;
  return state;
}

// A free block keeps the next free block of its class where its size was.
void** NextOf(Header* h) { return reinterpret_cast<void**>(&h->size); }

int ClassOf(uint64_t size) {
  int c = 4;  // 16 bytes
  while ((1ull << c) < size + kHeader) ++c;
  return c;
}

bool ReserveOnce() {
  State& s = S();
  if (s.base) return true;
  void* region = VirtualAlloc(nullptr, kReserve, MEM_RESERVE | MEM_TOP_DOWN, PAGE_NOACCESS);
  if (!region || reinterpret_cast<uintptr_t>(region) < (1ull << 32)) {
    // The mode exists to catch cut addresses: a region below 4 GB would hide them, so say so.
    static const char kMessage[] = "REELSCOUT_HIGH_HEAP: no address space above 4 GB\n";
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), kMessage, sizeof kMessage - 1, &written, nullptr);
    ExitProcess(3);
  }
  s.base = static_cast<uint8_t*>(region);
  return true;
}

Header* Take(int c) {
  State& s = S();
  if (void* head = s.freeLists[c]) {
    s.freeLists[c] = *NextOf(static_cast<Header*>(head));
    return static_cast<Header*>(head);
  }
  const uint64_t need = 1ull << c;
  if (need > kReserve - s.used) return nullptr;
  if (s.used + need > s.committed) {
    uint64_t grow = (s.used + need - s.committed + kCommitStep - 1) / kCommitStep * kCommitStep;
    if (grow > kReserve - s.committed) grow = kReserve - s.committed;
    if (!VirtualAlloc(s.base + s.committed, static_cast<SIZE_T>(grow), MEM_COMMIT, PAGE_READWRITE)) return nullptr;
    s.committed += grow;
  }
  auto h = reinterpret_cast<Header*>(s.base + s.used);
  s.used += need;
  return h;
}
}  // namespace

bool HighHeapEnabled() {
  if constexpr (!kWideAddresses) {
    return false;
  } else {
    static const bool enabled = [] {
      const char* v = std::getenv("REELSCOUT_HIGH_HEAP");
      return v && std::strcmp(v, "1") == 0;
    }();
    return enabled;
  }
}

bool InHighHeap(const void* block) {
  const State& s = S();
  auto p = static_cast<const uint8_t*>(block);
  return s.base && p >= s.base && p < s.base + s.used;
}

void* HighAlloc(uint32_t size) {
  State& s = S();
  AcquireSRWLockExclusive(&s.lock);
  Header* h = ReserveOnce() ? Take(ClassOf(size)) : nullptr;
  if (h) {
    h->magic = kMagic;
    h->sizeClass = static_cast<uint32_t>(ClassOf(size));
    h->size = size;
    ++s.live;
  }
  ReleaseSRWLockExclusive(&s.lock);
  return h ? reinterpret_cast<uint8_t*>(h) + kHeader : nullptr;
}

bool HighFree(void* block) {
  if (!block || !InHighHeap(block)) return false;
  State& s = S();
  auto h = reinterpret_cast<Header*>(static_cast<uint8_t*>(block) - kHeader);
  AcquireSRWLockExclusive(&s.lock);
  if (h->magic == kMagic) {
    h->magic = 0;  // a second free of the same block is ignored rather than corrupting a list
    *NextOf(h) = s.freeLists[h->sizeClass];
    s.freeLists[h->sizeClass] = h;
    --s.live;
  }
  ReleaseSRWLockExclusive(&s.lock);
  return true;
}

void* HighRealloc(void* block, uint32_t size) {
  if (!block) return HighAlloc(size);
  auto h = reinterpret_cast<Header*>(static_cast<uint8_t*>(block) - kHeader);
  if ((1ull << h->sizeClass) >= static_cast<uint64_t>(size) + kHeader) {
    h->size = size;
    return block;
  }
  void* fresh = HighAlloc(size);
  if (!fresh) return nullptr;
  std::memcpy(fresh, block, static_cast<size_t>(h->size < size ? h->size : size));
  HighFree(block);
  return fresh;
}

size_t HighLiveBlocks() {
  State& s = S();
  AcquireSRWLockShared(&s.lock);
  size_t n = s.live;
  ReleaseSRWLockShared(&s.lock);
  return n;
}

}  // namespace rt
