// The outcome code of the calling thread's last automation member call (0, or a negative code
// of rt::com::Outcome). No command of the program reads it; tests and diagnostics do.
#pragma once
#include <cstdint>

namespace rt::com {
void SetLastOutcome(int32_t code);
int32_t LastOutcome();
}  // namespace rt::com
