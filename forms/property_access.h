// Reading and writing unit properties by number: the eight common ones and menu items from the
// records, the others through the unit type's interface.
#pragma once
#include <cstdint>

namespace forms {

// component selects a font component for font properties (-1: the whole font).
uint64_t ReadUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t component);
void WriteUnitProperty(uint32_t windowId, uint32_t unitId, int32_t property, int32_t component, uint32_t lo,
                       uint32_t hi);

}  // namespace forms
