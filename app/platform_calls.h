// Platform functions the application calls as the image's DLL commands (resolved by the runtime
// on first use): its command line, the small locks that keep a stopped scan from writing, and the
// lock and conditions that hand a fetched page from the scan's helper to its worker (they wake a
// thread without a round trip to the window server, which an event costs under Wine).
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
void DeleteLock(CRITICAL_SECTION* lock);
void InitCondition(CONDITION_VARIABLE* condition);
// Leaves the lock, which the caller holds, until the condition is woken, and takes it again.
void SleepOnCondition(CONDITION_VARIABLE* condition, CRITICAL_SECTION* lock);
// The same, but for at most this many milliseconds.
void SleepOnConditionFor(CONDITION_VARIABLE* condition, CRITICAL_SECTION* lock, DWORD milliseconds);
void WakeCondition(CONDITION_VARIABLE* condition);

}  // namespace app
