// Re-creating a unit whose property change its live window cannot show.
#pragma once
#include <cstdint>

namespace forms {

// True while a unit's old window is destroyed in place of the new one: its destroy notice
// must not clear the record's object slot.
bool RecreatingUnit();
// Replaces the unit's window with a new one made from its current data; false if it failed.
bool RecreateUnit(uint32_t windowId, uint32_t unitId);

}  // namespace forms
