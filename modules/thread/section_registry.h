// The registry of live critical sections. A section handle is a 32-bit number that the registry
// hands out (the record's address on the 32-bit program; a serial number on the 64-bit build, whose
// addresses do not fit) and is honoured only while that record is registered, so null, stale and
// made-up handles are harmless.
#pragma once
#include <cstddef>
#include <cstdint>

// Where section records come from. allocate may return null; release takes what allocate gave.
struct SectionAllocator {
  void* (*allocate)(uint32_t size);
  void (*release)(void* block);
};

class SectionRegistry {
 public:
  explicit constexpr SectionRegistry(SectionAllocator allocator) : allocator_(allocator) {}

  // A new registered section, or 0 when no record could be allocated.
  uint32_t Create();
  // True when the section was registered and idle, and is now gone. A section that a thread
  // holds or is waiting for stays as it is: deleting it would pull it from under that thread.
  bool Delete(uint32_t handle);
  // Blocks until the calling thread holds the section; the holder may enter again.
  void Enter(uint32_t handle);
  // Undoes one Enter of the calling thread. A thread that does not hold the section is ignored.
  void Leave(uint32_t handle);
  // Program exit: empties the registry. Idle sections are deleted and freed; a section still held
  // or waited for is unregistered but left in memory for the threads still using it.
  // Returns the number of sections deleted.
  size_t DeleteAll();

  bool Contains(uint32_t handle) const;
  // The threads inside Enter that do not hold the section yet (0 for an unknown handle): lets a
  // caller see that a thread has begun to wait rather than guess with a sleep.
  uint32_t Waiting(uint32_t handle) const;
  size_t Count() const;

 private:
  struct Record;
  Record* FindLocked(uint32_t handle, Record** previous) const;
  void Lock() const;
  void Unlock() const;
  void Destroy(Record* record);

  SectionAllocator allocator_;
  Record* head_ = nullptr;
  uint32_t lastSerial_ = 0;  // the 64-bit build's handles, under the registry lock
  // The platform's slim lock word; statically initialised to 0 and never torn down, so threads
  // still running at exit can keep calling in.
  mutable void* lockWord_ = nullptr;
};
