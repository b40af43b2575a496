#include "runtime/interface_table.h"

#include <windows.h>

#include "runtime/dll_commands.h"
#include "runtime/exit.h"
#include "runtime/form_engine_port.h"
#include "runtime/heap.h"
#include "runtime/message_loop.h"
#include "runtime/runtime_error.h"
#include "runtime/startup.h"
#include "runtime/ui_thread_calls.h"

namespace rt {
namespace {

void __cdecl SlotReportErrorByCode(int32_t code) { ReportRuntimeError(ErrorTableMessage(code), code); }

void* __cdecl SlotResolveDllCommand(int32_t index) { return ResolveDllCommand(index); }

struct CommandCall {
  CommandFn fn;
  int32_t count;
  CmdArg* args;
  CmdArg result;
};

void RunCommandCall(void* context) {
  auto call = static_cast<CommandCall*>(context);
  // A command called with no arguments still gets a valid pointer it will not use.
  CmdArg none{0, 0, 0};
  call->fn(&call->result, call->count, call->args ? call->args : &none);
}

CmdArg __cdecl SlotCallCoreCommand(CommandFn fn, int32_t count, CmdArg* args) {
  CommandCall call{fn, count, args, CmdArg{0, 0, 0}};
  if (ArgumentsNeedUiThread(count, args))
    RunOnUiThread(RunCommandCall, &call);
  else
    RunCommandCall(&call);
  return call.result;
}

CmdArg __cdecl SlotCallModuleCommand(CommandFn fn, int32_t, int32_t count, CmdArg* args) {
  return SlotCallCoreCommand(fn, count, args);
}

struct PropertyAccess {
  uint32_t window, unit;
  int32_t property;
  uint32_t lo, hi;
  uint64_t value;
};

uint64_t __cdecl SlotReadProperty(uint32_t window, uint32_t unit, int32_t property, int32_t) {
  PropertyAccess access{window, unit, property, 0, 0, 0};
  auto read = [](void* context) {
    auto a = static_cast<PropertyAccess*>(context);
    a->value = forms::ReadProperty(a->window, a->unit, a->property);
  };
  if (UnitNeedsUiThread(window, unit))
    RunOnUiThread(read, &access);
  else
    read(&access);
  return access.value;
}

void __cdecl SlotWriteProperty(uint32_t window, uint32_t unit, int32_t property, int32_t, uint32_t lo,
                               uint32_t hi) {
  PropertyAccess access{window, unit, property, lo, hi, 0};
  auto write = [](void* context) {
    auto a = static_cast<PropertyAccess*>(context);
    forms::WriteProperty(a->window, a->unit, a->property, a->lo, a->hi);
  };
  if (UnitNeedsUiThread(window, unit))
    RunOnUiThread(write, &access);
  else
    write(&access);
}

void* __cdecl SlotAlloc(uint32_t size) { return AllocBlock(size); }
void* __cdecl SlotRealloc(void* block, uint32_t size) { return ReallocBlock(block, size); }
void __cdecl SlotFree(void* block) { FreeBlock(block); }
void __cdecl SlotExit(int32_t code) { ExitProgram(code); }
void __cdecl SlotRunMessageLoop() { RunMessageLoop(); }
void __cdecl SlotLoadStartupWindow(uint32_t windowId) { LoadStartupWindow(windowId); }
const void* __cdecl SlotHelper(int32_t index);

void __cdecl ExternalPackageCall() {
  ReportRuntimeError("静态编译的程序不能调用位于外部支持包中的子程序", 0);
}

// Helper 0: files matching a pattern. A null or empty pattern continues the search in *handle.
bool AttributesMatch(DWORD attributes, uint32_t mask, int32_t anyAttribute) {
  if (anyAttribute) return true;
  const DWORD special = FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM;
  if ((attributes & special) == 0) return true;  // plain files always match
  return (attributes & special & mask) != 0;
}

char* __cdecl HelperFindNextFile(const char* pattern, uint32_t mask, int32_t anyAttribute, void** handle) {
  if (!handle) return nullptr;
  WIN32_FIND_DATAA data;
  bool have;
  if (pattern && *pattern) {
    if (*handle) FindClose(*handle);
    *handle = FindFirstFileA(pattern, &data);
    if (*handle == INVALID_HANDLE_VALUE) {
      *handle = nullptr;
      return nullptr;
    }
    have = true;
  } else {
    if (!*handle) return nullptr;
    have = FindNextFileA(*handle, &data) != 0;
  }
  while (have) {
    bool dots = !lstrcmpA(data.cFileName, ".") || !lstrcmpA(data.cFileName, "..");
    if (!dots && AttributesMatch(data.dwFileAttributes, mask, anyAttribute)) return DupText(data.cFileName);
    have = FindNextFileA(*handle, &data) != 0;
  }
  FindClose(*handle);
  *handle = nullptr;
  return nullptr;
}

void __cdecl HelperCloseSearch(void* handle) {
  if (handle) FindClose(handle);
}
void __cdecl HelperMakeArrayPrivate(uint32_t width, void** array) { MakeArrayPrivate(width, array); }
void __cdecl HelperRegisterExitCallback(ExitCallbackFn f) { RegisterExitCallback(f); }
uint64_t __cdecl HelperReadVarProperty(const uint32_t* unit, int32_t property, int32_t) {
  return unit ? forms::ReadProperty(unit[0], unit[1], property) : 0;
}
void __cdecl HelperWriteVarProperty(const uint32_t* unit, int32_t property, int32_t, uint32_t lo, uint32_t hi) {
  if (unit) forms::WriteProperty(unit[0], unit[1], property, lo, hi);
}
void __cdecl HelperRuntimeInit(const ImageHeader* image) { RuntimeInit(image); }

}  // namespace

const HelperTable kHelperTable = {
    HelperFindNextFile,         HelperCloseSearch,     HelperMakeArrayPrivate, HelperRegisterExitCallback,
    HelperReadVarProperty,      HelperWriteVarProperty, HelperRuntimeInit,
};

namespace {
const void* __cdecl SlotHelper(int32_t index) {
  if (index < 0 || index >= 7) return nullptr;
  return reinterpret_cast<const void* const*>(&kHelperTable)[index];
}
}  // namespace

const InterfaceTable kInterfaceTable = {
    SlotReportErrorByCode, SlotResolveDllCommand, SlotCallModuleCommand, SlotCallCoreCommand, SlotReadProperty,
    SlotWriteProperty,     SlotAlloc,             SlotRealloc,           SlotFree,            SlotExit,
    SlotRunMessageLoop,    SlotLoadStartupWindow, SlotHelper,
};

const FullInterfaceTable kFullInterfaceTable = {kInterfaceTable, ExternalPackageCall};

}  // namespace rt
