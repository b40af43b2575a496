// Commands and property accesses that other threads make on the program's windows run on the UI
// thread, each in one synchronous message to the hidden owner window. A command then talks to its
// control directly instead of sending it several messages across threads, each a round trip.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/abi/values.h"

namespace rt {

constexpr uint32_t kMsgRunOnUiThread = 0x83E8;  // to the hidden owner window: lParam is the job

// True when the caller is not the UI thread and an argument names a live window or unit whose
// control the UI thread owns.
bool ArgumentsNeedUiThread(int32_t count, const CmdArg* args);
// The same for one unit (unit 0: the window itself).
bool UnitNeedsUiThread(uint32_t windowId, uint32_t unitId);

// Runs job(context) on the UI thread and returns once it has run. When the UI thread cannot take
// it (it has gone or is ending), the job runs on the calling thread, as it would have without it.
void RunOnUiThread(void (*job)(void*), void* context);

// The hidden owner's handling of kMsgRunOnUiThread.
LRESULT RunSentJob(LPARAM job);

}  // namespace rt
