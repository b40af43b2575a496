// ConvertEncoding(bytes, from charset, to charset [, by-reference success flag]) -> ByteArray.
#pragma once
#include "runtime/abi/values.h"

void __cdecl ConvertEncodingCommand(CmdArg* result, int32_t count, CmdArg* args);
