// HttpGet (URL text) -> ByteArray: the body of one HTTP GET, or the empty byte array.
#pragma once
#include "runtime/abi/values.h"

namespace net {
void __cdecl HttpGet(CmdArg* result, int32_t count, CmdArg* args);
}  // namespace net
