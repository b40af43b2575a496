// The window set that start-up read, as the rest of the form engine reaches it: the registry,
// event dispatch and property access all work on these records.
#pragma once
#include <cstdint>

#include "forms/window_set.h"
#include "runtime/abi/module.h"

namespace forms {

// The installed window set (empty before start-up installs one).
WindowSet& InstalledWindows();
// The type table entry of a unit type code, through the runtime's module list; null when none.
const UnitTypeInfo* UnitType(uint32_t typeCode);
// The code base the installed handler words were relocated against (null before start-up).
const void* CodeBase();

}  // namespace forms
