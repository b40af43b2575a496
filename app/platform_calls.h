// Platform functions the application calls as the image's DLL commands (resolved by the runtime
// on first use): its command line, the small locks that keep a stopped scan from writing, and the
// events that hand a fetched page from the scan's helper to its worker.
#pragma once
#include <windows.h>

namespace app {

const char* CommandLine();
void InitLock(CRITICAL_SECTION* lock);
void EnterLock(CRITICAL_SECTION* lock);
bool TryEnterLock(CRITICAL_SECTION* lock);
void LeaveLock(CRITICAL_SECTION* lock);
// Handles the messages other threads sent to this thread's windows, and nothing else.
void HandleSentMessages();
// An auto-reset event, initially clear; null when none could be made.
HANDLE MakeEvent();
void Signal(HANDLE event);
void WaitFor(HANDLE event);
void CloseEvent(HANDLE event);

}  // namespace app
