// The live list view unit: its platform control, its data values, image lists, font and the
// text slot of a label edit. It lives from create until its control window is destroyed.
#pragma once
#include <windows.h>
#include <commctrl.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "forms/listview_data.h"
#include "runtime/abi/unit_interface.h"

namespace lv {

struct ListViewUnit;

// What the form engine holds: the head every unit shares, then the way back to the C++ object.
struct ListViewShell {
  UnitObjectHead head;
  ListViewUnit* self;
};

// Rows added in a burst are drawn together when this timer of the control's fires.
constexpr UINT_PTR kRowBurstTimer = 0x5253;
constexpr UINT kRowBurstDelayMs = 500;

// The private message that carries a check-box row until the control has toggled the box.
constexpr UINT kCheckChangedMessage = WM_USER + 1;

struct ListViewUnit {
  ListViewUnit(const forms::ListViewData& data, uint32_t windowId, uint32_t unitId);
  ~ListViewUnit();
  ListViewUnit(const ListViewUnit&) = delete;
  ListViewUnit& operator=(const ListViewUnit&) = delete;

  ListViewShell shell;
  forms::ListViewData data;
  HIMAGELIST images = nullptr;  // large icons in view 0, small icons otherwise
  HIMAGELIST stateImages = nullptr;
  HIMAGELIST headerImages = nullptr;
  HFONT font = nullptr;
  bool ownsFont = false;
  std::string editedText;         // the new label text while event 7 runs
  std::vector<std::string> tips;  // info tip of row n, from the initial rows
  int32_t hotRow = -1;
  WNDPROC original = nullptr;
  bool drawingHeld = false;   // rows are going in and the control's drawing waits for the timer
  bool drawingOffByCaller = false;  // somebody else switched the drawing off; the timer leaves it off

  HWND Window() const { return shell.head.window; }
  void* Object() { return &shell; }
  uint32_t WindowId() const { return shell.head.windowId; }
  uint32_t UnitId() const { return shell.head.unitId; }
  bool Raise(int32_t event, std::initializer_list<uint32_t> args = {}, bool* returned = nullptr,
             uint32_t* result = nullptr);
};

// The unit behind an object the form engine or a command hands over; null when it is not a live
// list view.
ListViewUnit* FromObject(void* object);

// Interface 1: null when the data are unreadable or newer, or the control cannot be made.
void* __cdecl CreateListView(const uint8_t* data, uint32_t length, uint32_t extraStyle, HWND parent,
                             uint32_t controlId, HMENU menu, int32_t left, int32_t top, int32_t width, int32_t height,
                             uint32_t windowId, uint32_t unitId, uint32_t, uint32_t);

// Pieces of creation that property writes repeat on the live control.
void ApplyBorder(ListViewUnit& u);
void ApplyFont(ListViewUnit& u);
void ApplyColours(ListViewUnit& u);
void ApplyImages(ListViewUnit& u);
void ApplyStateImages(ListViewUnit& u);
void ApplyHeaderImages(ListViewUnit& u);
void ApplyRows(ListViewUnit& u);
void ApplySelection(ListViewUnit& u);
// The text of a cell, read through a buffer that doubles while the text fills it.
std::string CellText(HWND list, int32_t row, int32_t column);

// Notifications that the parent reflected back; true with *result set when handled.
bool HandleNotify(ListViewUnit& u, const NMHDR* header, LRESULT* result);
// The posted check-box message: the control has toggled the box by now.
void HandleCheckChanged(ListViewUnit& u, int32_t row);

}  // namespace lv
