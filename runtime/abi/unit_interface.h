// The numbered interface every window-based unit type offers the form engine through its
// type's interface getter, and the head that every live unit object starts with.
#pragma once
#include <windows.h>

#include <atomic>
#include <cstdint>

#include "runtime/abi/module.h"

namespace unitif {
constexpr uint32_t Create = 1;
constexpr uint32_t PropertyChanged = 4;
constexpr uint32_t GetData = 5;
constexpr uint32_t GetProperty = 6;
constexpr uint32_t WindowType = 7;
constexpr uint32_t WantsKey = 8;
constexpr uint32_t EnumFonts = 9;
constexpr uint32_t IsDefaultButton = 10;
}  // namespace unitif

// A property value exchanged with a unit type: its meaning depends on the property's data type
// (an integer in `first`; an 8-byte number in both; data address and length; a text address).
// Both are pointer-wide slots on the 64-bit build, so an address keeps all its bits; a number in
// them uses the low 32 bits of each.
struct PropertyPair {
  AddrWord first;
  AddrWord second;
  uint32_t FirstWord() const { return static_cast<uint32_t>(first); }
  uint32_t SecondWord() const { return static_cast<uint32_t>(second); }
};

// Every live unit object begins with this head, so the form engine can reach the unit's window
// and identity whatever type made it.
struct UnitObjectHead {
  uint32_t magic;  // kUnitObjectMagic
  HWND window;     // the unit's control window; null for units that are not windows
  uint32_t windowId;
  uint32_t unitId;
  TypeCode type;
};
constexpr uint32_t kUnitObjectMagic = 0x544E5552;  // "RUNT"

// 1: create from the type-specific data. parent is the owner for the window type; menu is the
// window type's menu bar (0 for others). Returns the new unit object, or null on failure.
using UnitCreateFn = void*(__cdecl*)(const uint8_t* data, uint32_t length, uint32_t extraStyle, HWND parent,
                                     uint32_t controlId, HMENU menu, int32_t left, int32_t top, int32_t width,
                                     int32_t height, uint32_t windowId, uint32_t unitId, uint32_t, uint32_t);
// 4: a type-specific property was written; 1 when the unit must be re-created to show it.
using UnitPropertyChangedFn = uint32_t(__cdecl*)(void* unit, uint32_t index, PropertyPair value, uint32_t);
// 5: the unit's current type-specific data, laid out as in its record, as a movable memory block.
using UnitGetDataFn = HGLOBAL(__cdecl*)(void* unit);
// 6: reads a type-specific property into *out; nonzero on success. unit may be null.
using UnitGetPropertyFn = uint32_t(__cdecl*)(void* unit, uint32_t index, PropertyPair* out);
// 8: true when the unit consumes this key itself.
using UnitWantsKeyFn = uint32_t(__cdecl*)(void* unit, uint32_t keyCode);
// 9: reads the given data and calls back with each text it names that a font must be able to
// show — the font's face name with flag 1, then the other texts with flag 0 — and answers the data
// written anew as a movable block (null when the data cannot be read).
using UnitTextCallback = void(__cdecl*)(const char* text, uint32_t flag, uint32_t user);
using UnitEnumFontsFn = HGLOBAL(__cdecl*)(void* unit, const uint8_t* data, uint32_t length, UnitTextCallback callback,
                                          uint32_t user);
// 10: true when the unit's window is a default push button.
using UnitIsDefaultButtonFn = uint32_t(__cdecl*)(void* unit);

// Windows whose unit object was lately found and checked, each entry the window and the object
// packed in one word, so that readers on any thread see a whole pair. A unit window gets dozens
// of messages an ID while a scan runs, and the readable-memory check is a system call. A unit
// clears its window's slot before its object goes, which also drops the window's entry, so an
// entry found with the slot still naming its object is still good. The 32-bit program packs the
// whole window and object; the 64-bit build packs the object's address (below 2^47 in user
// space) with the window handle's low 17 bits, which is all the slot needs: the caller still
// checks that the object names the window.
inline std::atomic<uint64_t> g_checkedUnitWindows[16];

constexpr unsigned kEntryWindowShift = kWideAddresses ? 47 : 32;
inline uint64_t CheckedEntryWindow(HWND window) {
  return kWideAddresses ? (HandleWord(window) & 0x1FFFFu) : HandleWord(window);
}
inline uint64_t CheckedUnitEntry(HWND window, UnitObjectHead* head) {
  return (CheckedEntryWindow(window) << kEntryWindowShift) | static_cast<uint64_t>(Word(head));
}
inline std::atomic<uint64_t>& CheckedUnitSlot(HWND window) {
  return g_checkedUnitWindows[(HandleWord(window) >> 1) & 15];
}

// A unit's control window keeps its UnitObjectHead* in its GWLP_USERDATA slot, which the unit's
// code reads without a round trip to the window server (a window property costs one each time,
// and a unit's window looks its object up for every message).
inline void SetUnitOfWindow(HWND window, UnitObjectHead* head) {
  SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(head));
  std::atomic<uint64_t>& slot = CheckedUnitSlot(window);
  uint64_t entry = slot.load();
  if (entry >> kEntryWindowShift == CheckedEntryWindow(window)) slot.compare_exchange_strong(entry, 0);
}

// The unit object of a window that belongs to a unit, or null. Any window may be asked about (a
// message box's button, a common dialog's list), and such a window may keep anything in the slot,
// so the value is only read through when it points into committed, readable memory.
inline UnitObjectHead* UnitOfWindow(HWND window) {
  auto head = reinterpret_cast<UnitObjectHead*>(GetWindowLongPtrA(window, GWLP_USERDATA));
  if (!head) return nullptr;
  std::atomic<uint64_t>& slot = CheckedUnitSlot(window);
  const uint64_t entry = CheckedUnitEntry(window, head);
  const bool checked = slot.load(std::memory_order_relaxed) == entry;
  if (!checked) {
    MEMORY_BASIC_INFORMATION m;
    if (VirtualQuery(head, &m, sizeof m) != sizeof m || m.State != MEM_COMMIT ||
        (m.Protect & (PAGE_NOACCESS | PAGE_GUARD | PAGE_EXECUTE)) || m.Protect == 0)
      return nullptr;
    auto end = static_cast<const char*>(m.BaseAddress) + m.RegionSize;
    if (reinterpret_cast<const char*>(head + 1) > end) return nullptr;
  }
  if (head->magic != kUnitObjectMagic || head->window != window) return nullptr;
  if (!checked) slot.store(entry, std::memory_order_relaxed);
  return head;
}

// Notifications that a unit's parent window sends back to the unit's own window (WM_COMMAND,
// WM_NOTIFY, WM_HSCROLL, WM_VSCROLL, WM_CTLCOLOR* ...) arrive as kReflectBase + the message.
constexpr UINT kReflectBase = WM_USER + 0x1C00;
