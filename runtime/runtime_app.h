// The single runtime object: everything the runtime keeps for the life of the process.
#pragma once
#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "runtime/abi/interface.h"

namespace rt {

struct IdleEntry {
  HWND window;
  void(__cdecl* function)(AddrWord);
  AddrWord parameter;
};

struct DllCommandSlot {
  std::string file;   // may be empty: search the system DLLs
  std::string entry;  // a name, or "#" and an ordinal
  void* address = nullptr;
  HMODULE module = nullptr;
};

struct RuntimeApp {
  HANDLE heap = nullptr;
  uint32_t headerWords[3] = {0, 0, 0};
  const ImageHeader* image = nullptr;
  std::string programDirectory;       // without trailing backslash
  std::string programDirectorySlash;  // with it
  std::string programFileName;
  std::vector<const ModuleDescriptor*> modules;
  std::vector<uint32_t> moduleData;
  std::vector<DllCommandSlot> dllCommands;
  DWORD uiThreadId = 0;
  HWND hiddenOwner = nullptr;
  std::vector<ExitCallbackFn> exitCallbacks;
  std::vector<IdleEntry> idleCallbacks;
  bool messageLoopEntered = false;
  uint32_t modalMarker = 0;
  volatile LONG eventBlockCount = 0;
  uint32_t currentEventWindow = 0;
  uint32_t currentEventUnit = 0;
  volatile LONG exiting = 0;
  bool oleInitialised = false;
  HICON iconLarge = nullptr;
  HICON iconSmall = nullptr;
  CRITICAL_SECTION lock;  // guards the exit and idle lists, which other threads may touch
};

RuntimeApp& App();

// A RAII hold on App().lock.
class AppLock {
 public:
  AppLock();
  ~AppLock();
  AppLock(const AppLock&) = delete;
  AppLock& operator=(const AppLock&) = delete;
};

}  // namespace rt
