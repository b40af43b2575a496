// Creating an automation object from a ProgID, a CLSID in braces, or a type library's type.
#pragma once
#include "runtime/com/object_cell.h"

namespace rt::com {
// On success the cell's old object is released and the new one stored; on failure the cell is
// left as it was. `typeLibrary` may be null.
bool CreateObject(ComObjectCell* cell, const char* name, const char* typeLibrary);
}  // namespace rt::com
