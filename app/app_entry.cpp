// The application entry: the runtime is set up, the worker handle table allocated with its
// clean-up registered, the start-up window loaded, and the message loop run.
#include <float.h>

#include "app/app_ids.h"
#include "app/app_state.h"
#include "app/image/program_image.h"
#include "app/runtime_calls.h"

extern "C" int __cdecl ApplicationEntry() {
  auto init = reinterpret_cast<decltype(HelperTable::runtimeInit)>(const_cast<void*>(Rt().helper(helper::RuntimeInit)));
  init(&kProgramImageHeader);
  _fpreset();
  app::SetUpWorkerHandles();
  app::RegisterExitCallback(app::FreeWorkerHandles);
  Rt().loadStartupWindow(ids::kMainWindow);
  Rt().runMessageLoop();
  return 0;
}
