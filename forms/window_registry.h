// The window registry: one entry per window of the installed set for the whole run, whether it
// is on the screen or not. Each entry is the window's live unit table (record 0 the window unit,
// the object slots holding the live units) and, while the window is loaded, the saved copy of
// its table that destruction puts back.
#pragma once
#include <windows.h>

#include <cstdint>
#include <optional>

#include "forms/window_set.h"
#include "runtime/abi/unit_interface.h"

namespace forms {

WindowTemplate* FindTemplate(uint32_t windowId);
// The record of a unit; 0 (or the window's own id) names record 0.
std::optional<RecordRef> FindRecord(const WindowTemplate& window, uint32_t unitId);

// The object slot of a record: the unit's live object, or null.
UnitObjectHead* RecordObject(const WindowTemplate& window, const RecordRef& record);
void SetRecordObject(WindowTemplate& window, const RecordRef& record, const void* object);
// A live object whose control window still exists.
bool IsLiveWindow(const UnitObjectHead* object);

// The live object of a unit (0 = the window unit), or null.
UnitObjectHead* LiveObject(uint32_t windowId, uint32_t unitId);
// The window unit's window while the window is loaded.
HWND LoadedWindowHandle(uint32_t windowId);
// The id of record 0 of a window (its own unit).
uint32_t OwnRecordId(const WindowTemplate& window);

// The saved copy of a loaded window's table.
void SaveTable(uint32_t windowId);
void DropSavedTable(uint32_t windowId);
// The saved copy becomes the live table again.
void RestoreSavedTable(uint32_t windowId);

}  // namespace forms
