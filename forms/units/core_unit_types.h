// The interface getters of the core's basic unit types, for the core module's type table.
#pragma once
#include <cstdint>

namespace forms {
void* __cdecl EditBoxInterface(uint32_t number);
void* __cdecl LabelInterface(uint32_t number);
void* __cdecl ButtonInterface(uint32_t number);
void* __cdecl ProcessBarInterface(uint32_t number);
}  // namespace forms
