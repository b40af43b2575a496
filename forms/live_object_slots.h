// The word a unit's record keeps for its live object. The 32-bit program stores the object's
// address there. The 64-bit build keeps the record's 32-bit word too, and stores in it the
// object's number in a table of its own (1-based; 0 is no object), since an address no longer fits.
#pragma once
#include <cstdint>

namespace forms {

// The object a slot word names, or null.
void* LiveObjectOfSlot(uint32_t word);
// The word to store for object in a slot that held old: old's entry is given back, and object
// gets one (0 for null).
uint32_t ReplaceSlotObject(uint32_t old, const void* object);

}  // namespace forms
