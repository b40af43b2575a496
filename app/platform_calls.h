// Platform functions the application calls as the image's DLL commands (resolved by the runtime
// on first use): its command line, and the small locks that keep a stopped scan from writing.
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

}  // namespace app
