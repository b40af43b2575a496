#include "app/app_state.h"

#include <cstring>

#include "app/image/program_image.h"
#include "app/runtime_calls.h"

namespace app {

namespace {
constexpr uint32_t kWorkerSlots = 100;
}

AppState& State() {
  static AppState state;
  return state;
}

void SetUpWorkerHandles() {
  auto block = static_cast<uint32_t*>(Rt().allocBlock(4 * (2 + kWorkerSlots)));
  block[0] = 1;
  block[1] = kWorkerSlots;
  std::memset(block + 2, 0, 4 * kWorkerSlots);
  State().workerHandles = block;
}

void __cdecl FreeWorkerHandles() {
  Release(State().workerHandles);
  State().workerHandles = nullptr;
}

uint32_t* WorkerSlot(int32_t n) {
  if (n - 1 < 0) Fail(4);
  if (static_cast<uint32_t>(n - 1) >= State().workerHandles[1]) Fail(1);
  return &State().workerHandles[2 + (n - 1)];
}

}  // namespace app
