// Reading the form segment front to back into a window set, and turning the handler offsets of
// its records into code addresses.
#pragma once
#include <cstdint>
#include <optional>

#include "forms/window_set.h"

namespace forms {

// The whole segment: the window index, then one window record per indexed window. Nothing when
// any read would pass the end of the segment or a record cannot be walked to its handlers
// ("cannot read"); the caller turns that into the fatal start-up error.
std::optional<WindowSet> ReadFormSegment(const uint8_t* data, uint32_t length);

// Whether every record of the table lies inside it and can be walked up to its handler slots.
bool UnitTableIsSound(const UnitTableView& table);

// Every handler slot of every record: 0xFFFFFFFF becomes 0 (no handler), any other offset v
// becomes the word that names the code table entry at code base + v; an offset of 0 is the first
// subroutine at the code base. Menu items carry one click handler, other records the second dword
// of each event pair.
void RelocateHandlers(WindowSet& set, const void* codeBase);

// Offsets count 4 bytes an entry, as the templates store them on either target. The 32-bit
// program relocates an offset to the entry's address, code base + v. The 64-bit build keeps the
// record's 32-bit word and stores the entry's number from the code base plus one instead, and
// resolves that through the code table, whose entries are 8 bytes there.
constexpr uint32_t kNoHandlerOffset = 0xFFFFFFFFu;
uint32_t RelocatedHandler(uint32_t offset, const void* codeBase);
// The code table entry a relocated word names, or null for 0.
const void* HandlerEntryOf(uint32_t relocated, const void* codeBase);

}  // namespace forms
