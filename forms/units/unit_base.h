// What the core's window-based units share: the live object's head, the subclassed control
// window, events raised for the unit, focus events, fonts, border styles and the end of life.
#pragma once
#include <windows.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "forms/data_block_io.h"
#include "runtime/abi/unit_interface.h"

namespace forms {

class Unit;

// The live object that the form engine holds: the shared head first, then the C++ unit.
struct UnitShell {
  UnitObjectHead head;
  Unit* self;
};

class Unit {
 public:
  Unit(TypeCode type, uint32_t windowId, uint32_t unitId);
  virtual ~Unit();
  Unit(const Unit&) = delete;
  Unit& operator=(const Unit&) = delete;

  UnitShell shell;
  UnitObjectHead& head;
  // What create hands the form engine.
  void* Object() { return &shell; }
  HWND Window() const { return head.window; }

  // Raises an event of this unit; true when a handler ran. *result gets its value, when it gave one.
  bool Raise(int32_t event, std::initializer_list<uint32_t> args = {}, bool* returned = nullptr,
             uint32_t* result = nullptr);

 protected:
  // Takes over the control's window procedure; the object lives until the window is destroyed.
  void Attach(HWND window);
  // Messages to the control (reflected notifications arrive as kReflectBase + message).
  // Return true with *result set when handled; otherwise the control's own procedure runs.
  virtual bool OnMessage(UINT message, WPARAM wp, LPARAM lp, LRESULT* result);
  LRESULT CallOriginal(UINT message, WPARAM wp, LPARAM lp);
  // Whether the unit raises -7/-8 on focus changes.
  bool raisesFocusEvents_ = false;

 private:
  static LRESULT CALLBACK Procedure(HWND window, UINT message, WPARAM wp, LPARAM lp);
  WNDPROC original_ = nullptr;
};

// The object of a unit created by one of the core's types, from its interface argument.
inline Unit* AsUnit(void* object) { return static_cast<UnitShell*>(object)->self; }

// Where a unit's control goes: the placement arguments of the create interface.
struct Placement {
  uint32_t extraStyle;
  HWND parent;
  uint32_t id;
  int32_t x, y, width, height;
};

// The child control of a unit: always WS_CHILD and WS_CLIPSIBLINGS besides the given styles.
HWND CreateChildControl(const char* windowClass, const char* text, DWORD style, const Placement& at);

// The create interface of the core's units: an empty block gives the defaults, a block that is
// newer or cut short makes no unit; then the unit makes its control (UnitT::Create(at)).
template <class UnitT, class BlockT>
void* CreateFromBlock(const uint8_t* block, uint32_t length, const Placement& at, uint32_t windowId,
                      uint32_t unitId) {
  auto decoded = DecodeBlock<BlockT>({block, length});
  if (!decoded) return nullptr;
  auto unit = new UnitT(windowId, unitId);
  unit->data = *decoded;
  if (!unit->Create(at)) {
    delete unit;
    return nullptr;
  }
  return unit->Object();
}

// The numbered functions a core unit type offers; the ones it lacks stay null.
struct UnitFunctions {
  UnitCreateFn create;
  UnitPropertyChangedFn propertyChanged;
  UnitGetDataFn getData;
  UnitGetPropertyFn getProperty;
  UnitWantsKeyFn wantsKey = nullptr;
  UnitIsDefaultButtonFn isDefaultButton = nullptr;
};
// The interface getter's answer for one interface number.
void* InterfaceOf(const UnitFunctions& functions, uint32_t number);

// Sends a notification that a parent received back to the unit that sent it. True when the
// sender is a unit window (result then holds its answer).
bool ReflectToUnit(UINT message, WPARAM wp, LPARAM lp, LRESULT* result);

// Extended and plain styles of the border styles 0 to 6, applied after creation.
void ApplyBorderStyle(HWND window, uint32_t style);
// A font from LOGFONT bytes, or the system's default GUI font when the bytes are not one.
HFONT MakeFont(const std::string& logfont, bool* owned);
// 0xFF000000 stands for the system's button face colour.
COLORREF ResolveColour(uint32_t colour);
// A movable memory block holding these bytes (interface 5's answer).
HGLOBAL ToMovableBlock(const std::vector<uint8_t>& bytes);
std::string WindowTextOf(HWND window);

}  // namespace forms
