#include "modules/special/special_module.h"

#include "runtime/abi/module_kit.h"

namespace {
RuntimeServiceFn g_service = nullptr;

AddrWord __cdecl Notify(uint32_t message, AddrWord arg1, AddrWord) {
  if (message == notify::Startup) g_service = ServiceFromWord(arg1);
  return 0;
}
}  // namespace

RuntimeServiceFn SpecialLibService() { return g_service; }

const ModuleDescriptor kSpecialLibDescriptor =
    MakeModuleDescriptor("{8460CC84-757B-45A1-8CD1-39260A0D4939}", "特殊功能支持库", 0, 0, nullptr, 0, nullptr, Notify);
