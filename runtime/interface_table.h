// The runtime's entries behind the interface table and the helper table.
#pragma once
#include "runtime/abi/interface.h"

namespace rt {

// The 13 slots as the program image stores them.
extern const InterfaceTable kInterfaceTable;
// The runtime's own 14-slot version: slot 13 only reports that a statically built program
// cannot call a subroutine of an external package.
struct FullInterfaceTable {
  InterfaceTable slots;
  void(__cdecl* externalPackageCall)();
};
extern const FullInterfaceTable kFullInterfaceTable;
extern const HelperTable kHelperTable;

}  // namespace rt
