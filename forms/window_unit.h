// The window unit: the top-level window of class "WTWindow" that record 0 of every window makes,
// with its data block and what the runtime keeps about the loaded window.
#pragma once
#include <windows.h>

#include <cstdint>
#include <utility>
#include <vector>

#include "forms/unit_data_blocks.h"
#include "runtime/abi/unit_interface.h"

namespace forms {

constexpr UINT kMsgCloseByCode = 0x8065;
constexpr UINT kMsgUnitsCreated = 0x806F;
constexpr UINT kMsgLayoutDone = 0x8004;
constexpr UINT kMsgLoadFinished = 0x8076;

struct WindowUnit {
  UnitObjectHead head;  // first: the object is reached as a UnitObjectHead*
  WindowData data;
  bool loaded = false;
  bool modal = false;
  bool closingByCode = false;
  bool firstActivationDone = false;
  bool helpOpened = false;
  std::vector<std::pair<HWND, bool>> disabledByModal;  // window, whether it was enabled
  HACCEL shortcuts = nullptr;
  HWND lastFocus = nullptr;
  HICON iconLarge = nullptr;
  HICON iconSmall = nullptr;
  bool ownsIcons = false;
};

// The window unit behind an object, or null when the object is another unit's.
WindowUnit* AsWindowUnit(UnitObjectHead* object);
// The window unit of a loaded window, or null.
WindowUnit* LoadedWindowUnit(uint32_t windowId);

// Gives back the enabled states that a modal load took from other windows.
void ReenableDisabledWindows(WindowUnit& unit);
// Shows a loaded window as its start position asks.
void ShowLoadedWindow(WindowUnit& unit);
// The close sequence (events 12 and 1); true when the window was destroyed.
bool RequestClose(WindowUnit& unit);

// The window type's interface getter for the core module's type table.
void* __cdecl WindowInterface(uint32_t number);

}  // namespace forms
