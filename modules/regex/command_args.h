// Reading a command's arguments: by position, with an omitted argument (type 0) or one beyond the
// count read as absent.
#pragma once
#include <cstdint>

#include "runtime/abi/values.h"

namespace rx {

inline const CmdArg* GivenArg(int32_t count, const CmdArg* args, int32_t index) {
  if (!args || index >= count || args[index].type == tc::None) return nullptr;
  return &args[index];
}

// The cell a type's variable passes: its address.
template <typename Cell>
Cell* CellArg(int32_t count, const CmdArg* args, int32_t index) {
  const CmdArg* a = GivenArg(count, args, index);
  return a ? static_cast<Cell*>(ArgPtr(*a)) : nullptr;
}

// A Text argument; absent or null reads as the empty text.
inline const char* TextArg(int32_t count, const CmdArg* args, int32_t index) {
  const CmdArg* a = GivenArg(count, args, index);
  const char* text = a ? ArgText(*a) : nullptr;
  return text ? text : "";
}

}  // namespace rx
