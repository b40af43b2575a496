// The module's commands, in the order of its command table.
#pragma once
#include "runtime/abi/values.h"

namespace rx {

void __cdecl RegexConstruct(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl RegexDestroy(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl RegexCreate(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl RegexMatch(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl RegexSearchAll(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl SearchResultConstruct(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl SearchResultDestroy(CmdArg* result, int32_t count, CmdArg* args);
void __cdecl SearchResultGetText(CmdArg* result, int32_t count, CmdArg* args);
// Whether the last RegexMatch or RegexSearchAll with this regex was cut short by the matcher
// (its complexity limit, memory), so its answer is not to be trusted. False before any.
void __cdecl RegexSearchStopped(CmdArg* result, int32_t count, CmdArg* args);

}  // namespace rx
