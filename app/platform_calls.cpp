#include "app/platform_calls.h"

#include "app/image/program_image.h"

namespace app {
namespace {
// Positions in the image's DLL command table (app/image/program_image.cpp).
enum : int32_t {
  kGetCommandLine,
  kInitLock,
  kEnterLock,
  kTryEnterLock,
  kLeaveLock,
  kPeekMessage,
  kInitCondition,
  kSleepOnCondition,
  kWakeCondition,
  kDeleteLock
};

template <typename Fn>
Fn Resolve(int32_t index) {
  return reinterpret_cast<Fn>(Rt().resolveDllCommand(index));
}
}  // namespace

const char* CommandLine() { return Resolve<LPSTR(WINAPI*)()>(kGetCommandLine)(); }
void InitLock(CRITICAL_SECTION* lock) { Resolve<void(WINAPI*)(CRITICAL_SECTION*)>(kInitLock)(lock); }
void EnterLock(CRITICAL_SECTION* lock) { Resolve<void(WINAPI*)(CRITICAL_SECTION*)>(kEnterLock)(lock); }
bool TryEnterLock(CRITICAL_SECTION* lock) { return Resolve<BOOL(WINAPI*)(CRITICAL_SECTION*)>(kTryEnterLock)(lock) != 0; }
void LeaveLock(CRITICAL_SECTION* lock) { Resolve<void(WINAPI*)(CRITICAL_SECTION*)>(kLeaveLock)(lock); }

void HandleSentMessages() {
  MSG msg;
  Resolve<BOOL(WINAPI*)(MSG*, HWND, UINT, UINT, UINT)>(kPeekMessage)(&msg, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

void DeleteLock(CRITICAL_SECTION* lock) { Resolve<void(WINAPI*)(CRITICAL_SECTION*)>(kDeleteLock)(lock); }
void InitCondition(CONDITION_VARIABLE* condition) {
  Resolve<void(WINAPI*)(CONDITION_VARIABLE*)>(kInitCondition)(condition);
}
void SleepOnCondition(CONDITION_VARIABLE* condition, CRITICAL_SECTION* lock) {
  SleepOnConditionFor(condition, lock, INFINITE);
}
void SleepOnConditionFor(CONDITION_VARIABLE* condition, CRITICAL_SECTION* lock, DWORD milliseconds) {
  Resolve<BOOL(WINAPI*)(CONDITION_VARIABLE*, CRITICAL_SECTION*, DWORD)>(kSleepOnCondition)(condition, lock, milliseconds);
}
void WakeCondition(CONDITION_VARIABLE* condition) {
  Resolve<void(WINAPI*)(CONDITION_VARIABLE*)>(kWakeCondition)(condition);
}

}  // namespace app
