// Commands that live in outside DLLs, resolved on first use.
#pragma once
#include <cstdint>

#include "runtime/abi/interface.h"

namespace rt {

// Fills the tables from the image (file names and entry names per command).
void SetupDllCommands(const ImageHeader& image);
// The command's address; on failure the runtime error names the DLL and the entry.
void* ResolveDllCommand(int32_t index);
void FreeDllCommands();

}  // namespace rt
