// The common dialog unit ("CommonDlg"): an invisible unit that keeps a standard dialog's
// settings and shows that dialog on request.
#pragma once
#include <cstdint>

namespace forms {

// The type's interface getter, for the core module's type table.
void* __cdecl CommonDlgInterface(uint32_t number);

// Shows the dialog of a live common dialog unit object, owned by the unit's top-level window.
// True when the user confirmed a choice (for help: when help was opened). False for anything
// that is not a common dialog unit.
bool RunCommonDialog(void* unitObject);

}  // namespace forms
