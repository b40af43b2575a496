// A plain parent window that hands its children's notifications back to them, as a loaded
// window does, so units can be created and driven on their own.
#pragma once
#include <windows.h>

#include <vector>

#include "runtime/abi/unit_interface.h"

namespace unittest {

// A visible top-level window of the given size that reflects notifications to its child units.
HWND MakeParent(int width = 500, int height = 400);
// Creates a unit of the type behind `getter` in the parent with the given data block.
void* CreateUnit(void* (__cdecl* getter)(uint32_t), HWND parent, const std::vector<uint8_t>& block,
                 uint32_t extraStyle = WS_VISIBLE, uint32_t unitId = 0x16010066);
HWND WindowOf(void* unit);
PropertyPair Get(void* (__cdecl* getter)(uint32_t), void* unit, uint32_t index);
uint32_t Set(void* (__cdecl* getter)(uint32_t), void* unit, uint32_t index, PropertyPair value);
std::vector<uint8_t> DataOf(void* (__cdecl* getter)(uint32_t), void* unit);
void Pump();

}  // namespace unittest
