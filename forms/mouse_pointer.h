// Mouse pointers: applications number them 0 to 14, records and units keep the system cursor
// id (or -1 followed by custom cursor data).
#pragma once
#include <windows.h>

#include <cstdint>
#include <vector>

namespace forms {

// Number 0..14 to the system cursor id (0 stays 0); other values pass unchanged.
uint32_t PointerNumberToId(uint32_t number);
// A system cursor id to its number; an unknown id passes unchanged.
uint32_t PointerIdToNumber(uint32_t id);
// The first dword of pointer data converted in place (data of 4 bytes or more).
void ConvertPointerData(std::vector<uint8_t>& data, bool toId);

// The cursor that stored pointer data stand for: null for none or the default pointer.
HCURSOR MakeCursor(const uint8_t* data, uint32_t size);

}  // namespace forms
