#include "runtime/ui_thread_calls.h"

#include <windows.h>

#include "runtime/form_engine_port.h"
#include "runtime/runtime_app.h"

namespace rt {
namespace {

struct Job {
  void (*function)(void*);
  void* context;
};

bool OwnedByUiThread(HWND window) {
  return window && GetWindowThreadProcessId(window, nullptr) == App().uiThreadId;
}

bool OffUiThread() {
  const RuntimeApp& app = App();
  return app.uiThreadId != 0 && app.hiddenOwner && GetCurrentThreadId() != app.uiThreadId;
}

// The control an argument stands for: a unit is (window id, unit id); a window or a menu item
// carries the window id first. Anything else (texts, numbers, expressions) names no control.
HWND ControlOf(const CmdArg& arg) {
  if (tc::ClassOf(arg.type) != 3 || tc::IsArray(arg.type)) return nullptr;
  if (HWND unit = forms::UnitWindow(arg.lo, arg.hi)) return unit;
  return arg.type == tc::Window || arg.type == tc::Menu ? forms::WindowHandle(arg.lo) : nullptr;
}

}  // namespace

bool ArgumentsNeedUiThread(int32_t count, const CmdArg* args) {
  if (!OffUiThread() || !args) return false;
  for (int32_t i = 0; i < count; ++i)
    if (OwnedByUiThread(ControlOf(args[i]))) return true;
  return false;
}

bool UnitNeedsUiThread(uint32_t windowId, uint32_t unitId) {
  if (!OffUiThread()) return false;
  HWND control = forms::UnitWindow(windowId, unitId);
  return OwnedByUiThread(control ? control : forms::WindowHandle(windowId));
}

void RunOnUiThread(void (*function)(void*), void* context) {
  Job job{function, context};
  HWND owner = App().hiddenOwner;
  if (owner && SendMessageA(owner, kMsgRunOnUiThread, 0, reinterpret_cast<LPARAM>(&job)) == 1) return;
  function(context);
}

LRESULT RunSentJob(LPARAM lp) {
  auto job = reinterpret_cast<Job*>(lp);
  job->function(job->context);
  return 1;
}

}  // namespace rt
