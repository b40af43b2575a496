// The thread handles StartThread has given out and nobody has closed yet. KillThread and
// CloseThreadHandle act only on these, so a closed handle whose value the system has since
// handed to another object is never terminated or closed by mistake.
#pragma once
#include <cstdint>
#include <vector>

class ThreadHandleSet {
 public:
  constexpr ThreadHandleSet() = default;

  // False when the handle could not be recorded (no memory).
  bool Add(uint32_t handle);
  // True when the handle was held; it is no longer.
  bool Remove(uint32_t handle);
  bool Contains(uint32_t handle) const;
  // Runs action(handle) while no one can remove the handle; false without calling it when the
  // handle is not held.
  template <typename Action>
  bool WhileHeld(uint32_t handle, Action action) const {
    Lock();
    bool held = FindLocked(handle);
    bool result = held && action(handle);
    Unlock();
    return result;
  }

 private:
  bool FindLocked(uint32_t handle) const;
  void Lock() const;
  void Unlock() const;

  // Made on first use and never destroyed: threads may still call in while the process ends.
  std::vector<uint32_t>* handles_ = nullptr;
  mutable void* lockWord_ = nullptr;
};
