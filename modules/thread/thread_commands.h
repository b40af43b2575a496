// ThreadLib's command table, in table order.
#pragma once
#include "runtime/abi/values.h"

namespace thread {
enum Command : int {
  StartThread = 0, CreateSection, DeleteSection, EnterSection, LeaveSection, KillThread, CloseThreadHandle,
  kCount
};
}  // namespace thread

extern const CommandFn kThreadCommands[thread::kCount];
