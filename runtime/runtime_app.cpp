#include "runtime/runtime_app.h"

namespace rt {

RuntimeApp& App() {
  // Created before anything else runs and never destroyed: exit paths may still reach it.
  static RuntimeApp* app = [] {
    auto a = new RuntimeApp();
    InitializeCriticalSection(&a->lock);
    return a;
  }();
  return *app;
}

AppLock::AppLock() { EnterCriticalSection(&App().lock); }
AppLock::~AppLock() { LeaveCriticalSection(&App().lock); }

}  // namespace rt
