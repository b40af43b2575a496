// The form engine's side of the core window commands. Windows are not created yet (the
// registry is empty), so there is nothing to close, no control to find and no menu to show.
#include "forms/units/common_dialog.h"
#include "runtime/form_engine_port.h"

namespace forms {

void CloseWindowByCode(uint32_t, bool) {}
void DestroyUnitOfWindow(uint32_t, uint32_t) {}
HWND UnitWindow(uint32_t, uint32_t) { return nullptr; }
void ShowPopupMenu(uint32_t, uint32_t, bool, int32_t, bool, int32_t) {}
bool RunFileDialog(uint32_t windowId, uint32_t unitId) {
  void* unit = FindUnit(windowId, unitId);
  return unit && RunCommonDialog(unit);
}

}  // namespace forms
