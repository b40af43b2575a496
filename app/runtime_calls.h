// How the application's code calls the runtime: commands by module and table position through
// the interface table, unit properties by number, and the runtime heap for results it owns.
#pragma once
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <string>
#include <vector>

#include "runtime/abi/interface.h"

namespace app {

CmdArg Call(uint32_t module, uint32_t command, std::initializer_list<CmdArg> args = {});
CmdArg Call(uint32_t module, uint32_t command, std::vector<CmdArg> args);
// Frees a Text or ByteArray result (constants and null are left alone by the runtime).
void Release(const CmdArg& value);
void Release(void* block);
// A new runtime heap text holding `text`; null for the empty text.
char* NewText(const char* text, size_t length);

uint64_t ReadProperty(uint32_t window, uint32_t unit, int32_t property);
void WriteProperty(uint32_t window, uint32_t unit, int32_t property, uint32_t lo, uint32_t hi = 0);
// A Text result or property as an owned string; the runtime's block is released at once.
std::string TakeText(CmdArg value);
std::string ReadTextProperty(uint32_t window, uint32_t unit, int32_t property);
void WriteTextProperty(uint32_t window, uint32_t unit, int32_t property, const char* text);

// Arguments naming windows, units and menu items.
CmdArg WindowArg(uint32_t windowId, uint32_t ownRecordId);
CmdArg UnitArg(uint32_t windowId, uint32_t unitId, TypeCode type);
CmdArg MenuArg(uint32_t windowId, uint32_t itemId);
inline CmdArg Omitted() { return CmdArg{0, 0, 0}; }

void RegisterExitCallback(ExitCallbackFn function);
[[noreturn]] void Exit(int32_t code);
// Raises the compiled code's own runtime error by number (1: index beyond the array, 4: index below 1).
[[noreturn]] void Fail(int32_t code);

}  // namespace app
