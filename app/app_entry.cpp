// The application entry: the runtime is set up, the worker handle table allocated with its
// clean-up registered, the start-up window loaded, and the message loop run.
#include <float.h>
#include <windows.h>

#include <string>

#include "app/app_ids.h"
#include "app/app_state.h"
#include "app/image/program_image.h"
#include "app/command_ids.h"
#include "app/runtime_calls.h"
#include "app/platform_calls.h"
#include "app/startup_options.h"

namespace {
// The command line comes from one of the image's DLL commands. An option the program does not know
// is refused before any window shows, and the program ends with code 2.
void ReadStartupOptions() {
  app::StartupOptions options;
  std::string error;
  if (!app::ParseStartupOptions(app::CommandLine(), options, error)) {
    app::Call(mod::Core, cmd::ShowMessageBox, {MakeText(error.c_str()), MakeInt(box::Ok), MakeText("Reelscout")});
    app::Exit(2);
  }
  app::State().siteHost = options.siteHost;
}
}  // namespace

extern "C" int __cdecl ApplicationEntry() {
  auto init = reinterpret_cast<decltype(HelperTable::runtimeInit)>(const_cast<void*>(Rt().helper(helper::RuntimeInit)));
  init(&kProgramImageHeader);
  _fpreset();
  ReadStartupOptions();
  app::SetUpWorkerHandles();
  app::RegisterExitCallback(app::FreeWorkerHandles);
  Rt().loadStartupWindow(ids::kMainWindow);
  Rt().runMessageLoop();
  return 0;
}
