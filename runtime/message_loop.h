// The message loop with its idle phase, and the runtime's idle processing.
#pragma once
#include <cstdint>

#include "runtime/abi/module.h"

namespace rt {

void RunMessageLoop();
// Runs the loop while the window is shown modally; the window's destruction ends it.
void RunModalLoop(uint32_t windowId);
// Service 2000 on a window: clears the modal marker if that window is the one shown modally.
void WindowDestroyed(uint32_t windowId);
// Processes every pending message without entering idle.
void ProcessPendingMessages();

bool AddIdleCallback(const IdleCallbackRecord& record);
void RemoveIdleCallback(void* window);
// One pass over the idle callbacks, last first; entries whose window is gone are removed uncalled.
void RunIdleCallbacks();
// The idle processing of one step; true when more idle work is wanted.
bool IdleProcessing(int32_t count);
int32_t QuitCode();

}  // namespace rt
