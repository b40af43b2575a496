// The application entry: the runtime is set up, the application's clean-up registered,
// the start-up window loaded, and the message loop run.
#include <float.h>

#include "app/app_ids.h"
#include "app/image/program_image.h"

namespace {
void __cdecl AppCleanup() {}

template <typename Fn>
Fn HelperEntry(int32_t index) {
  return reinterpret_cast<Fn>(const_cast<void*>(Rt().helper(index)));
}
}  // namespace

extern "C" int __cdecl ApplicationEntry() {
  HelperEntry<decltype(HelperTable::runtimeInit)>(helper::RuntimeInit)(&kProgramImageHeader);
  _fpreset();
  HelperEntry<decltype(HelperTable::registerExitCallback)>(helper::RegisterExitCallback)(AppCleanup);
  Rt().loadStartupWindow(ids::kMainWindow);
  Rt().runMessageLoop();
  return 0;
}
