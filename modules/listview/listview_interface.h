// The list view's unit-type interface: the getter the type table names, and the functions it hands out.
#pragma once
#include <windows.h>

#include <cstdint>

#include "runtime/abi/unit_interface.h"

namespace lv {

// Interface 9 of this type: calls back with the font's face name (flag 1, when the font field
// holds a whole LOGFONT), then every column title, row text and tip text (flag 0), in data order,
// and answers the data written anew (a movable block), or null when the data cannot be read.
using TextCallback = UnitTextCallback;
using ListViewEnumerateFn = UnitEnumFontsFn;

void* __cdecl ListViewInterface(uint32_t number);

uint32_t __cdecl GetListViewProperty(void* unit, uint32_t index, PropertyPair* out);
uint32_t __cdecl ListViewPropertyChanged(void* unit, uint32_t index, PropertyPair value, uint32_t);
HGLOBAL __cdecl GetListViewData(void* unit);
HGLOBAL __cdecl EnumerateListViewTexts(void* unit, const uint8_t* data, uint32_t length, TextCallback callback,
                                       uint32_t user);

}  // namespace lv
