// The end of windows and units: close by code, a unit's destroy notice, and the release of
// every window at exit.
#include "forms/record_edit.h"
#include "forms/template_store.h"
#include "forms/unit_recreate.h"
#include "forms/window_registry.h"
#include "forms/window_unit.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace forms {

bool UnitDestroyed(uint32_t windowId, uint32_t unitId) {
  if (rt::App().exiting || RecreatingUnit()) return false;
  WindowTemplate* window = FindTemplate(windowId);
  if (!window) return false;
  uint32_t ownId = OwnRecordId(*window);
  if (unitId != 0 && unitId != ownId) {
    auto ref = FindRecord(*window, unitId);
    if (!ref || window->Table().IsMenuItem(ref->index)) return false;
    UnitRecordView record = window->Table().Unit(*ref);
    auto y = record.PositionY();
    auto cursor = record.CursorSlot();
    if (cursor && *cursor) DestroyCursor(HandleFromWord<HCURSOR>(*cursor));
    if (y) {
      SetRecordObject(*window, *ref, nullptr);
      StoreRecordDword(*window, *ref, *y + 20, 0);
    }
    return false;
  }
  // The window itself: the table as it was before the load becomes the live one.
  RestoreSavedTable(windowId);
  return true;
}

void CloseWindowByCode(uint32_t windowId, bool immediate) {
  WindowUnit* unit = LoadedWindowUnit(windowId);
  if (!unit) return;
  unit->closingByCode = true;
  if (immediate)
    SendMessageA(unit->head.window, kMsgCloseByCode, 0, 0);
  else
    PostMessageA(unit->head.window, kMsgCloseByCode, 0, 0);
}

void DestroyUnitOfWindow(uint32_t windowId, uint32_t unitId) {
  if (unitId == 0 || (FindTemplate(windowId) && unitId == OwnRecordId(*FindTemplate(windowId)))) {
    CloseWindowByCode(windowId, true);
    return;
  }
  UnitObjectHead* object = LiveObject(windowId, unitId);
  if (IsLiveWindow(object)) DestroyWindow(object->window);
}

HWND UnitWindow(uint32_t windowId, uint32_t unitId) {
  UnitObjectHead* object = LiveObject(windowId, unitId);
  return LoadedWindowHandle(windowId) && IsLiveWindow(object) ? object->window : nullptr;
}

void ReleaseWindows() {
  if (GetCurrentThreadId() != rt::App().uiThreadId) return;
  WindowSet& set = InstalledWindows();
  for (uint32_t id : set.ids)
    if (HWND hwnd = LoadedWindowHandle(id)) DestroyWindow(hwnd);
}

}  // namespace forms
