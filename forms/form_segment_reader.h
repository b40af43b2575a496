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
// becomes codeBase + v; an offset of 0 is the first subroutine at the code base. Menu items
// carry one click handler, other records the second dword of each event pair.
void RelocateHandlers(WindowSet& set, uint32_t codeBase);

constexpr uint32_t kNoHandlerOffset = 0xFFFFFFFFu;
constexpr uint32_t RelocatedHandler(uint32_t offset, uint32_t codeBase) {
  return offset == kNoHandlerOffset ? 0 : codeBase + offset;
}

}  // namespace forms
