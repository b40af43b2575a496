#include "runtime/exit.h"

#include <windows.h>
#include <ole2.h>

#include "runtime/dll_commands.h"
#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace rt {

void RegisterExitCallback(ExitCallbackFn function) {
  if (!function) return;
  AppLock hold;
  auto& list = App().exitCallbacks;
  for (auto f : list)
    if (f == function) return;
  list.push_back(function);
}

void ClearExitCallbacks() {
  AppLock hold;
  App().exitCallbacks.clear();
}

size_t ExitCallbackCount() {
  AppLock hold;
  return App().exitCallbacks.size();
}

void RunExitSteps() {
  RuntimeApp& app = App();
  InterlockedIncrement(&app.eventBlockCount);
  InterlockedExchange(&app.exiting, 1);
  {
    AppLock hold;
    app.idleCallbacks.clear();
  }
  forms::ReleaseWindows();

  std::vector<ExitCallbackFn> callbacks;
  {
    AppLock hold;
    callbacks.swap(app.exitCallbacks);
  }
  for (auto f : callbacks) f();

  for (size_t i = 0; i < app.modules.size(); ++i) {
    const ModuleDescriptor* d = app.modules[i];
    if (d && d->notify) d->notify(notify::Exit, app.moduleData[i], 0);
  }
  app.modules.clear();
  app.moduleData.clear();

  FreeDllCommands();

  if (app.iconLarge) DestroyIcon(app.iconLarge);
  if (app.iconSmall) DestroyIcon(app.iconSmall);
  app.iconLarge = app.iconSmall = nullptr;
  if (app.hiddenOwner) {
    HWND owner = app.hiddenOwner;
    app.hiddenOwner = nullptr;
    if (GetCurrentThreadId() == app.uiThreadId) DestroyWindow(owner);
  }
  if (app.oleInitialised) {
    app.oleInitialised = false;
    OleUninitialize();
  }
}

void ExitProgram(int32_t code) {
  RuntimeApp& app = App();
  InterlockedIncrement(&app.eventBlockCount);
  if (app.uiThreadId != 0 && GetCurrentThreadId() != app.uiThreadId) {
    // Exit callbacks, module notification and window destruction belong to the UI thread.
    if (app.hiddenOwner && !app.exiting)
      SendMessageA(app.hiddenOwner, kMsgExitRequest, static_cast<WPARAM>(code), 0);
    // The UI thread ends the process while handling the message; reaching here means it was
    // already exiting (or gone), so end the process from this thread.
    ExitProcess(static_cast<UINT>(code));
  }
  // A second exit while the first runs (an exit callback that exits) only ends the process.
  if (InterlockedExchange(&app.exiting, 1) == 0) RunExitSteps();
  ExitProcess(static_cast<UINT>(code));
}

}  // namespace rt
