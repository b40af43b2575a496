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
// Whether the last RegexSearchAll with this regex ended early (complexity limit, memory), so its
// matches are not all of them. False before any search.
void __cdecl RegexSearchStopped(CmdArg* result, int32_t count, CmdArg* args);

}  // namespace rx
