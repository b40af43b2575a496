// For tests that check a thread is kept out of a section: waits, for five seconds at most, until
// a thread has begun to wait for it, so the check neither guesses with a sleep nor passes before
// the other thread has even asked.
#pragma once
#include <windows.h>

#include <cstdint>

#include "modules/thread/section_registry.h"

inline bool SomeoneWaits(const SectionRegistry& reg, uint32_t handle) {
  for (int i = 0; i < 500 && reg.Waiting(handle) == 0; ++i) Sleep(10);
  return reg.Waiting(handle) != 0;
}
