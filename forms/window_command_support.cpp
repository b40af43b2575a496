// The form engine's side of the file dialog command.
#include "forms/units/common_dialog.h"
#include "runtime/form_engine_port.h"

namespace forms {

bool RunFileDialog(uint32_t windowId, uint32_t unitId) {
  void* unit = FindUnit(windowId, unitId);
  return unit && RunCommonDialog(unit);
}

}  // namespace forms
