// Start-up: reading the program image, notifying the modules, the start-up window.
#pragma once
#include <cstdint>
#include <string>

#include "runtime/abi/interface.h"

namespace rt {

// Checks that every range the header names lies inside the program image that holds the header.
// Returns null when sound, else what is wrong.
const char* CheckImage(const ImageHeader& image);
void RuntimeInit(const ImageHeader* image);
void LoadStartupWindow(uint32_t windowId);
// Splits a full program path at its last backslash.
void SplitProgramPath(const char* path, std::string& directory, std::string& fileName);
RuntimeServiceFn ServiceEntry();

}  // namespace rt
