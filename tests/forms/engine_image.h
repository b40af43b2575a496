// Program images for the form engine's integration tests: a form segment (the program's own or
// one built with the writer) with a code table of the test's handlers and the real module list.
// Unit types whose module offers no create function yet get a plain stand-in unit, so a window
// that holds them can still be loaded.
#pragma once
#include <cstdint>
#include <vector>

#include "forms/form_segment_writer.h"
#include "forms/unit_data_blocks.h"
#include "runtime/abi/interface.h"

namespace engineimg {

// Copies the segment into the exe's own storage, starts the runtime on it and installs it.
// codeBase: the code table entry that handler offset 0 names.
// dllCommandsOf: an image whose DLL command table the program may use (none by default).
void Start(const std::vector<uint8_t>& segment, const EventHandlerFn* codeBase,
           const ImageHeader* dllCommandsOf = nullptr);
// A form segment of one window (480 x 300, unit ownId) that holds one edit box (unit boxId) at
// (8, 8) with the given size, data and event handlers.
std::vector<uint8_t> WindowWithEditBox(uint32_t windowId, uint32_t ownId, uint32_t boxId, const char* caption,
                                      const forms::EditBoxData& box, int32_t width, int32_t height,
                                      const std::vector<forms::EventPair>& events = {});
// Pumps the queue the way the message loop does (window objects see each message first).
void Pump(int rounds = 3);

}  // namespace engineimg
