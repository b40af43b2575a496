// CoreLib's four automation commands: ObjectCreate, ObjectCallMethod, VariantRelease, ObjectRelease.
// None shows a message or ends the program.
#pragma once
#include "runtime/abi/values.h"

namespace rt::com {
void __cdecl CmdObjectCreate(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl CmdObjectCallMethod(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl CmdVariantRelease(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl CmdObjectRelease(CmdArg* result, int32_t count, CmdArg* args);
}  // namespace rt::com
