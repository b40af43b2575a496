// Program images for the form engine's integration tests: a form segment (the program's own or
// one built with the writer) with a code table of the test's handlers and the real module list.
// Unit types whose module offers no create function yet get a plain stand-in unit, so a window
// that holds them can still be loaded.
#pragma once
#include <cstdint>
#include <vector>

#include "runtime/abi/interface.h"

namespace engineimg {

// Copies the segment into the exe's own storage, starts the runtime on it and installs it.
// codeBase: the code table entry that handler offset 0 names.
// dllCommandsOf: an image whose DLL command table the program may use (none by default).
void Start(const std::vector<uint8_t>& segment, const EventHandlerFn* codeBase,
           const ImageHeader* dllCommandsOf = nullptr);
// Pumps the queue the way the message loop does (window objects see each message first).
void Pump(int rounds = 3);

}  // namespace engineimg
