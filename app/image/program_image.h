// The program image: its header, and the interface table that lies just before the constants.
#pragma once
#include "runtime/abi/interface.h"

extern const ImageHeader kProgramImageHeader;
// The application's table of event handlers; entry 0 marks the start of the compiled code and
// the code base (header word 3) is entry 1, so a handler's offset is 4 × (its index − 1).
extern const EventHandlerFn kAppCodeTable[];

// The interface table of the image the application was built into.
const InterfaceTable& Rt();
// A constant of the image, by its generated offset.
inline const char* ConstText(uint32_t offset) {
  return reinterpret_cast<const char*>(kProgramImageHeader.constantArea + offset);
}
