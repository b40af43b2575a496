#include "forms/unit_recreate.h"

#include <windows.h>

#include <vector>

#include "forms/template_store.h"
#include "forms/window_registry.h"
#include "forms/window_unit.h"
#include "runtime/abi/unit_interface.h"

namespace forms {
namespace {
constexpr uint32_t kMovesChildren = 0x80, kPagedContainer = 0x100, kTellsParent = 0x00100000;
bool g_recreating = false;

BOOL CALLBACK CollectChild(HWND child, LPARAM list) {
  reinterpret_cast<std::vector<HWND>*>(list)->push_back(child);
  return TRUE;
}
}  // namespace

bool RecreatingUnit() { return g_recreating; }

bool RecreateUnit(uint32_t windowId, uint32_t unitId) {
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) return false;
  auto ref = FindRecord(*window, unitId);
  if (!ref || ref->index == 0) return false;
  UnitObjectHead* old = RecordObject(*window, *ref);
  if (!IsLiveWindow(old)) return false;
  const UnitTypeInfo* type = UnitType(window->Table().Unit(*ref).TypeCode().value_or(0));
  if (!type || !type->interfaceGetter) return false;
  auto getData = reinterpret_cast<UnitGetDataFn>(type->interfaceGetter(unitif::GetData));
  auto create = reinterpret_cast<UnitCreateFn>(type->interfaceGetter(unitif::Create));
  if (!getData || !create) return false;

  HWND oldWindow = old->window;
  HWND parent = GetParent(oldWindow);
  RECT r;
  GetWindowRect(oldWindow, &r);
  MapWindowPoints(nullptr, parent, reinterpret_cast<POINT*>(&r), 2);
  LONG style = GetWindowLongA(oldWindow, GWL_STYLE);
  bool wasVisible = (style & WS_VISIBLE) != 0;
  HWND focus = GetFocus();
  bool hadFocus = focus == oldWindow || IsChild(oldWindow, focus);
  uint32_t controlId = static_cast<uint32_t>(GetDlgCtrlID(oldWindow));

  HGLOBAL block = getData(old);
  auto data = block ? static_cast<const uint8_t*>(GlobalLock(block)) : nullptr;
  uint32_t size = block ? static_cast<uint32_t>(GlobalSize(block)) : 0;
  uint32_t extra = (style & WS_DISABLED) ? WS_DISABLED : 0;
  extra |= style & WS_TABSTOP;
  void* made = create(data, size, extra, parent, controlId, nullptr, r.left, r.top, r.right - r.left,
                      r.bottom - r.top, windowId, unitId, 0, 0);
  if (block) {
    GlobalUnlock(block);
  }
  auto fresh = static_cast<UnitObjectHead*>(made);
  if (!IsLiveWindow(fresh)) {
    if (block) GlobalFree(block);
    return false;
  }
  if (type->stateFlags & kMovesChildren) {
    std::vector<HWND> children;
    EnumChildWindows(oldWindow, CollectChild, reinterpret_cast<LPARAM>(&children));
    for (size_t i = children.size(); i-- > 0;)
      if (GetParent(children[i]) == oldWindow) SetParent(children[i], fresh->window);
  }
  SetRecordObject(*window, *FindRecord(*window, unitId), made);
  // Back in its place of the z-order: after the preceding unit of the same parent.
  HWND after = HWND_TOP;
  UnitTableView table = window->Table();
  for (uint32_t i = ref->index; i-- > 1;) {
    auto prev = table.ByIndex(i);
    if (!prev || table.IsMenuItem(i)) continue;
    UnitObjectHead* o = RecordObject(*window, *prev);
    if (IsLiveWindow(o) && GetParent(o->window) == parent) {
      after = o->window;
      break;
    }
  }
  SetWindowPos(fresh->window, after, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
  SendMessageA(fresh->window, kMsgUnitsCreated, 0, 0);
  SendMessageA(fresh->window, kMsgLoadFinished, 0, 0);
  if (type->stateFlags & kTellsParent) SendMessageA(parent, kMsgLayoutDone, 0, 0);
  if (wasVisible) ShowWindow(fresh->window, SW_SHOWNA);
  (void)kPagedContainer;  // no page container type exists in this program's module list
  g_recreating = true;
  DestroyWindow(oldWindow);
  g_recreating = false;
  if (hadFocus) SetFocus(fresh->window);
  else if (focus && IsWindow(focus)) SetFocus(focus);
  if (block) GlobalFree(block);
  return true;
}

}  // namespace forms
