// From a unit type code (module number in the high half, type number in the low half, both from
// 1) to the module's type table entry.
#pragma once
#include <cstdint>

#include "runtime/abi/module.h"

namespace forms {

// Nothing for a module or type number out of range, a module without a type table, or an
// all-zero slot (a type the program does not use keeps its number but is no type).
const UnitTypeInfo* LookupUnitType(uint32_t typeCode, const ModuleDescriptor* const* modules, uint32_t moduleCount);

}  // namespace forms
