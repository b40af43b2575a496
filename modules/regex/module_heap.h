// The runtime heap as the module reaches it: through the service entry it was given at start-up.
#pragma once
#include <cstdint>

namespace rx {

// Through the runtime's allocation service: with mayFail false a failure is the runtime's memory
// error and ends the program; with mayFail true it is null.
void* RuntimeAlloc(uint32_t size, bool mayFail);
void* RuntimeResize(void* block, uint32_t size);
void RuntimeFree(void* block);

}  // namespace rx
