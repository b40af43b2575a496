#include "modules/thread/section_registry.h"

#include <windows.h>

#include <cstring>

#include "runtime/abi/values.h"

static_assert(sizeof(SRWLOCK) == sizeof(void*), "the lock word holds an SRWLOCK");

// The handle layout fixes the first two fields; the bookkeeping that makes Delete and Leave safe
// follows them. Every bookkeeping field is read and written under the registry lock.
struct SectionRegistry::Record {
  CRITICAL_SECTION section;
  Record* next;
  DWORD owner;        // thread that holds the section, 0 when none
  uint32_t depth;     // the owner's unmatched entries
  uint32_t entering;  // threads that found the record and have not yet got hold of it
  uint32_t handle;    // what Create handed out for it
};

void SectionRegistry::Lock() const { AcquireSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lockWord_)); }
void SectionRegistry::Unlock() const { ReleaseSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lockWord_)); }

SectionRegistry::Record* SectionRegistry::FindLocked(uint32_t handle, Record** previous) const {
  Record* before = nullptr;
  for (Record* r = head_; r; before = r, r = r->next) {
    if (r->handle == handle) {
      if (previous) *previous = before;
      return r;
    }
  }
  return nullptr;
}

void SectionRegistry::Destroy(Record* record) {
  DeleteCriticalSection(&record->section);
  allocator_.release(record);
}

uint32_t SectionRegistry::Create() {
  void* block = allocator_.allocate(sizeof(Record));
  if (!block) return 0;
  std::memset(block, 0, sizeof(Record));
  Record* record = static_cast<Record*>(block);
  InitializeCriticalSection(&record->section);
  Lock();
  if constexpr (kWideAddresses) {
    // Never 0, and never one still registered after the serial wraps.
    do {
      record->handle = ++lastSerial_;
    } while (record->handle == 0 || FindLocked(record->handle, nullptr));
  } else {
    record->handle = AddrLow(record);
  }
  record->next = head_;
  head_ = record;
  Unlock();
  return record->handle;
}

bool SectionRegistry::Delete(uint32_t handle) {
  if (!handle) return false;
  Lock();
  Record* previous = nullptr;
  Record* record = FindLocked(handle, &previous);
  if (!record || record->depth != 0 || record->entering != 0) {
    Unlock();
    return false;
  }
  (previous ? previous->next : head_) = record->next;
  Unlock();
  Destroy(record);
  return true;
}

void SectionRegistry::Enter(uint32_t handle) {
  if (!handle) return;
  Lock();
  Record* record = FindLocked(handle, nullptr);
  if (record) ++record->entering;
  Unlock();
  if (!record) return;
  // The entering count keeps the record alive (Delete refuses it, DeleteAll leaves it in memory)
  // while this thread waits outside the registry lock.
  EnterCriticalSection(&record->section);
  Lock();
  --record->entering;
  record->owner = GetCurrentThreadId();
  ++record->depth;
  Unlock();
}

void SectionRegistry::Leave(uint32_t handle) {
  if (!handle) return;
  Lock();
  Record* record = FindLocked(handle, nullptr);
  // Leaving a section one does not hold would break it for every other thread.
  if (record && record->depth != 0 && record->owner == GetCurrentThreadId()) {
    if (--record->depth == 0) record->owner = 0;
    LeaveCriticalSection(&record->section);
  }
  Unlock();
}

size_t SectionRegistry::DeleteAll() {
  Lock();
  Record* list = head_;
  head_ = nullptr;
  // Decide under the lock which records are idle: an idle record is unreachable from now on,
  // while a busy one may still be touched by the thread inside Enter.
  Record* idle = nullptr;
  while (list) {
    Record* next = list->next;
    if (list->depth == 0 && list->entering == 0) {
      list->next = idle;
      idle = list;
    } else {
      list->next = nullptr;
    }
    list = next;
  }
  Unlock();
  size_t deleted = 0;
  while (idle) {
    Record* next = idle->next;
    Destroy(idle);
    ++deleted;
    idle = next;
  }
  return deleted;
}

uint32_t SectionRegistry::Waiting(uint32_t handle) const {
  if (!handle) return 0;
  Lock();
  Record* record = FindLocked(handle, nullptr);
  uint32_t waiting = record ? record->entering : 0;
  Unlock();
  return waiting;
}

bool SectionRegistry::Contains(uint32_t handle) const {
  if (!handle) return false;
  Lock();
  bool found = FindLocked(handle, nullptr) != nullptr;
  Unlock();
  return found;
}

size_t SectionRegistry::Count() const {
  Lock();
  size_t n = 0;
  for (Record* r = head_; r; r = r->next) ++n;
  Unlock();
  return n;
}
