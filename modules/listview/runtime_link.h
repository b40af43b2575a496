// The list view module's only road to the runtime: the service entry it was handed at start-up.
#pragma once
#include <cstdint>

#include "runtime/abi/module.h"

namespace lv {

// Raises an event of a unit; true when a handler ran. *returned and *result tell what it gave back.
bool RaiseEvent(uint32_t windowId, uint32_t unitId, int32_t event, const uint32_t* args, uint32_t argCount,
                bool* returned = nullptr, uint32_t* result = nullptr);
void ReportUnitDestroyed(uint32_t windowId, uint32_t unitId);
// The live object of a unit; a missing one is the runtime's error and does not return.
void* FindUnitStrictly(uint32_t windowId, uint32_t unitId);
[[noreturn]] void ReportError(const char* message);
// A fresh runtime text holding these bytes; null for none.
char* RuntimeText(const char* bytes, uint32_t length);
// The 32-bit integer a numeric argument stands for (other types are the runtime's error).
int32_t IntegerOf(const CmdArg& arg);

}  // namespace lv
