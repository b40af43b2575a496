#include "modules/thread/thread_handle_set.h"

#include <windows.h>

#include <algorithm>
#include <new>

static_assert(sizeof(SRWLOCK) == sizeof(void*), "the lock word holds an SRWLOCK");

void ThreadHandleSet::Lock() const { AcquireSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lockWord_)); }
void ThreadHandleSet::Unlock() const { ReleaseSRWLockExclusive(reinterpret_cast<PSRWLOCK>(&lockWord_)); }

bool ThreadHandleSet::FindLocked(uint32_t handle) const {
  return handle && handles_ && std::find(handles_->begin(), handles_->end(), handle) != handles_->end();
}

bool ThreadHandleSet::Add(uint32_t handle) {
  if (!handle) return false;
  Lock();
  bool added = false;
  try {
    if (!handles_) handles_ = new std::vector<uint32_t>();
    handles_->push_back(handle);
    added = true;
  } catch (const std::bad_alloc&) {
  }
  Unlock();
  return added;
}

bool ThreadHandleSet::Remove(uint32_t handle) {
  Lock();
  bool held = FindLocked(handle);
  if (held) {
    auto it = std::find(handles_->begin(), handles_->end(), handle);
    *it = handles_->back();
    handles_->pop_back();
  }
  Unlock();
  return held;
}

bool ThreadHandleSet::Contains(uint32_t handle) const {
  Lock();
  bool held = FindLocked(handle);
  Unlock();
  return held;
}
