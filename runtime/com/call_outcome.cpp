#include "runtime/com/call_outcome.h"

namespace rt::com {
namespace {
thread_local int32_t t_outcome = 0;
}
void SetLastOutcome(int32_t code) { t_outcome = code; }
int32_t LastOutcome() { return t_outcome; }
}  // namespace rt::com
