// Ending the program, and the application's exit callbacks.
#pragma once
#include <cstdint>

#include "runtime/abi/interface.h"

namespace rt {

constexpr uint32_t kMsgExitRequest = 0x83E7;  // to the hidden owner window: exit with wParam

// Runs the exit steps and ends the process; from another thread the exit is handed to the UI thread.
[[noreturn]] void ExitProgram(int32_t code);
// Steps 1 to 7 of the exit, without ending the process (the end-of-loop path and tests).
void RunExitSteps();
void RegisterExitCallback(ExitCallbackFn function);
void ClearExitCallbacks();
size_t ExitCallbackCount();

}  // namespace rt
