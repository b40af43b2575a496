// Calling a member of an automation object by name with the caller's typed arguments.
#pragma once
#include <windows.h>
#include <oleauto.h>

#include <cstdint>

#include "runtime/abi/values.h"
#include "runtime/com/object_cell.h"

namespace rt::com {
// Calls `name` on the cell's object with `count` arguments and copies its result into `result`
// (a cleared VARIANT). Answers the outcome code; on failure `result` stays empty. Every VARIANT
// built and every interface obtained is released before it returns.
int32_t CallMember(const ComObjectCell* cell, const char* name, const CmdArg* args, uint32_t count, VARIANT* result);
}  // namespace rt::com
