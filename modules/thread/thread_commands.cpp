#include "modules/thread/thread_commands.h"

#include <windows.h>

#include "modules/thread/section_registry.h"
#include "modules/thread/thread_handle_set.h"
#include "modules/thread/thread_module.h"

namespace {

bool Given(int32_t count, const CmdArg* args, int32_t index) {
  return count > index && args[index].type != tc::None;
}

// The argument as the 32-bit integer a thread parameter or a handle is.
uint32_t Word32(const CmdArg& a) {
  if (a.type == tc::Byte) return a.lo & 0xFF;
  if (a.type == tc::Short) return static_cast<uint32_t>(static_cast<int32_t>(static_cast<int16_t>(a.lo & 0xFFFF)));
  return a.lo;
}

uint32_t HandleArg(int32_t count, const CmdArg* args) { return count >= 1 ? Word32(args[0]) : 0; }

HANDLE AsHandle(uint32_t h) { return HandleFromWord<HANDLE>(h); }

// Gives a thread that never ran up: terminating it cannot leave anything half done.
void DiscardUnstarted(HANDLE thread) {
  TerminateThread(thread, 0xFFFFFFFF);
  CloseHandle(thread);
}

void __cdecl CmdStartThread(CmdArg* result, int32_t count, CmdArg* args) {
  *result = MakeLogical(false);
  uint32_t* variable = Given(count, args, 2) ? static_cast<uint32_t*>(ArgPtr(args[2])) : nullptr;
  if (variable) *variable = 0;
  // Anything but a subroutine address would start a thread on garbage.
  if (count < 1 || args[0].type != tc::SubPtr || !ArgPtr(args[0])) return;
  auto routine = reinterpret_cast<LPTHREAD_START_ROUTINE>(ArgPtr(args[0]));
  // The parameter is the argument's value, as wide as an address: an address handed over in a
  // CmdArg keeps all its bits on the 64-bit build; a Byte or Short is widened first.
  void* parameter = nullptr;
  if (Given(count, args, 1))
    parameter = args[1].type == tc::Byte || args[1].type == tc::Short ? AddrFromHalves(Word32(args[1]), 0)
                                                                      : ArgPtr(args[1]);
  DWORD id = 0;

  if (!variable) {
    HANDLE thread = CreateThread(nullptr, 0, routine, parameter, 0, &id);
    if (!thread) return;
    CloseHandle(thread);
    *result = MakeLogical(true);
    return;
  }

  // The routine may look its own handle up in the caller's variable as soon as it runs, so it
  // starts only once the handle is stored there.
  HANDLE thread = CreateThread(nullptr, 0, routine, parameter, CREATE_SUSPENDED, &id);
  if (!thread) return;
  uint32_t handle = HandleWord(thread);
  if (!ThreadLibThreadHandles().Add(handle)) {
    DiscardUnstarted(thread);
    return;
  }
  *variable = handle;
  if (ResumeThread(thread) == static_cast<DWORD>(-1)) {
    ThreadLibThreadHandles().Remove(handle);
    *variable = 0;
    DiscardUnstarted(thread);
    return;
  }
  *result = MakeLogical(true);
}

void __cdecl CmdCreateSection(CmdArg* result, int32_t, CmdArg*) {
  *result = MakeInt(static_cast<int32_t>(ThreadLibSections().Create()));
}

void __cdecl CmdDeleteSection(CmdArg* result, int32_t count, CmdArg* args) {
  *result = MakeLogical(ThreadLibSections().Delete(HandleArg(count, args)));
}

void __cdecl CmdEnterSection(CmdArg*, int32_t count, CmdArg* args) {
  ThreadLibSections().Enter(HandleArg(count, args));
}

void __cdecl CmdLeaveSection(CmdArg*, int32_t count, CmdArg* args) {
  ThreadLibSections().Leave(HandleArg(count, args));
}

void __cdecl CmdKillThread(CmdArg* result, int32_t count, CmdArg* args) {
  // Terminating under the set's lock keeps the handle from being closed, and its value reused,
  // between the check and the call.
  bool killed = ThreadLibThreadHandles().WhileHeld(
      HandleArg(count, args), [](uint32_t h) { return TerminateThread(AsHandle(h), 0xFFFFFFFF) != 0; });
  *result = MakeLogical(killed);
}

void __cdecl CmdCloseThreadHandle(CmdArg* result, int32_t count, CmdArg* args) {
  uint32_t handle = HandleArg(count, args);
  bool closed = ThreadLibThreadHandles().Remove(handle) && CloseHandle(AsHandle(handle)) != 0;
  *result = MakeLogical(closed);
}

}  // namespace

const CommandFn kThreadCommands[thread::kCount] = {
    CmdStartThread, CmdCreateSection, CmdDeleteSection, CmdEnterSection,
    CmdLeaveSection, CmdKillThread, CmdCloseThreadHandle,
};
