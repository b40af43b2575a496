// The `ComObject` cell: the object's interface (its IUnknown, null when empty) and, for an object
// that stands for an automation record, the record's data.
#pragma once
#include <windows.h>
#include <unknwn.h>

namespace rt::com {

struct ComObjectCell {
  IUnknown* object;
  void* record;
};
static_assert(sizeof(ComObjectCell) == 2 * sizeof(void*), "a ComObject cell is two pointers");

// Empties the cell: a record's data is cleared through its record interface, the interface is
// released. An empty cell is left alone, so releasing twice is harmless.
void ReleaseCell(ComObjectCell* cell);

}  // namespace rt::com
