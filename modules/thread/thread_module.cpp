#include "modules/thread/thread_module.h"

#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

uint32_t __cdecl Notify(uint32_t message, uint32_t arg1, uint32_t) {
  if (message == notify::Startup) g_service = reinterpret_cast<RuntimeServiceFn>(arg1);
  return 0;
}
}  // namespace

RuntimeServiceFn ThreadLibService() { return g_service; }

const ModuleDescriptor kThreadLibDescriptor =
    MakeModuleDescriptor("{5C78B605-3447-4693-9F4D-88B250516523}", "线程支持库", 0xC0000000, 0, nullptr, 0, nullptr, Notify);
